// Fuzzing the names and paths of the scan: arbitrary names created in the
// scratch game folder, both folders scanned into the lists in memory, and
// every row checked against the files that were made.
//
// The input is a list of names: a '/' ends a name made in `mods`, a zero
// byte one made in `main` (neither byte can be part of a name), and what
// follows the last of them is a name made in `mods`. A name is cut to 259
// bytes, the most a folder search returns; where the file system refuses a
// name, no file is made.
#include "fuzz_support.h"
#include "memory_mod_list.h"
#include "mod_scan.h"

#include <fcntl.h>
#include <stddef.h>
#include <stdint.h>
#include <stdio.h>
#include <string.h>
#include <unistd.h>

#include <map>
#include <string>

namespace {

const size_t LongestFoundName = MAX_PATH - 1;
const size_t NamesPerInput = 64;

struct FolderPlace {
    const char *path;     // where this process makes the files
    const char *relative; // the scan's folder prefix, to measure its limit
};

const FolderPlace Places[2] = {
    {"../main", "..\\main\\"},
    {"mods", ".\\mods\\"},
};

// The files made in one folder: name and size in bytes.
typedef std::map<std::string, unsigned> MadeFiles;

// Each file gets a size from its name, so that rows can be told apart by
// their size text as well.
unsigned SizeFor(const std::string &name)
{
    return (unsigned char)name[0] * 9u;
}

void MakeFile(ModFolder folder, const std::string &name, MadeFiles *made)
{
    if (name.empty())
        return;
    std::string path = std::string(Places[folder].path) + "/" + name;
    int file = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (file < 0)
        return;
    std::string contents(SizeFor(name), 'm');
    bool written = write(file, contents.data(), contents.size()) == (ssize_t)contents.size();
    close(file);
    Check(written, "a scratch archive is written whole");
    (*made)[name] = (unsigned)contents.size();
}

// What the search pattern "*.iwd" finds: the extension in any case.
bool MatchesPattern(const std::string &name)
{
    if (name.size() < 4)
        return false;
    std::string tail = name.substr(name.size() - 4);
    for (char &c : tail)
        if (c >= 'A' && c <= 'Z')
            c = (char)(c - 'A' + 'a');
    return tail == ".iwd";
}

std::string CurrentFolder()
{
    char current[4096];
    Check(getcwd(current, sizeof current) != nullptr, "the current folder is known");
    return current;
}

// The absolute path of a file of the folder, with this system's separators.
std::string AbsolutePathOf(ModFolder folder, const std::string &name)
{
    std::string current = CurrentFolder();
    if (folder == InstalledFolder)
        return current.substr(0, current.rfind('/')) + "/main/" + name;
    return current + "/mods/" + name;
}

std::string SizeTextOf(unsigned size)
{
    char text[16];
    if (size > 1024)
        snprintf(text, sizeof text, "%uKB", size >> 10);
    else
        snprintf(text, sizeof text, "%uB", size);
    return text;
}

void CheckList(const ModList &list, ModFolder folder, const MadeFiles &made)
{
    Check(list.countLabel == list.rows.size(), "the count label equals the rows listed");
    std::map<std::string, int> listed;
    for (const ModRow &row : list.rows) {
        auto file = made.find(row.name);
        Check(file != made.end(), "every row's name is the name of a file made there");
        Check(MatchesPattern(row.name), "every row's name ends in the extension");
        Check(++listed[row.name] == 1, "a file is listed once");
        Check(row.sizeText == SizeTextOf(file->second), "a row shows its own file's size");

        // The path is made whenever the relative path fits the work buffer
        // and the absolute one fits MAX_PATH, and the name holds none of
        // the characters Windows keeps out of names (a backslash is a
        // separator in a path, a colon names a stream, the rest are
        // wildcards); otherwise it is left empty.
        std::string absolute = AbsolutePathOf(folder, row.name);
        bool fits =
            strlen(Places[folder].relative) + row.name.size() < (size_t)TextBufferSize &&
            absolute.size() < (size_t)MAX_PATH &&
            row.name.find_first_of("\\:*?\"<>|") == std::string::npos;
        Check(row.fullPath == (fits ? absolute : std::string()),
              "a row's full path is its own file's absolute path, or empty where it cannot be "
              "made");
    }
    // Every name that matches the pattern is listed, one with a backslash
    // too (as Wine lists it).
    for (const auto &file : made)
        if (MatchesPattern(file.first))
            Check(listed.count(file.first) == 1, "every archive of the folder is listed");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static bool ready = EnterScratchGameFolder();
    (void)ready;
    EmptyFolder(Places[InstalledFolder].path);
    EmptyFolder(Places[AvailableFolder].path);

    MadeFiles made[2];
    size_t names = 0;
    std::string name;
    for (size_t i = 0; i <= size && names < NamesPerInput; i++) {
        if (i == size || data[i] == '/' || data[i] == '\0') {
            ModFolder folder = i < size && data[i] == '\0' ? InstalledFolder : AvailableFolder;
            MakeFile(folder, name.substr(0, LongestFoundName), &made[folder]);
            name.clear();
            names++;
        } else {
            name += (char)data[i];
        }
    }

    MemoryWindow window{};
    HWND handle = MemoryWindowHandle(&window);
    ScanInstalled(handle);
    ScanAvailable(handle);
    CheckList(window.lists[InstalledFolder], InstalledFolder, made[InstalledFolder]);
    CheckList(window.lists[AvailableFolder], AvailableFolder, made[AvailableFolder]);
    return 0;
}
