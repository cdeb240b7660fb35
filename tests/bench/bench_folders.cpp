// Laying out the benchmark's game folders. Archives are empty files of the
// right length (sparse where the file system allows): only their names and
// sizes matter to the program.
#include "bench_folders.h"

#include <stdio.h>

#ifdef _WIN32
#include <windows.h>
#else
#include <errno.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

#ifdef _WIN32
const char Separator = '\\';
#else
const char Separator = '/';
#endif

// Sizes that give every kind of size text: bytes, kilobytes, megabytes.
const unsigned long ArchiveSizes[] = {900, 60000, 307200, 1703936, 2621440, 0, 20480};
const char *const ArchiveKinds[] = {"textures", "maps_extra", "voices_en", "weapons_pack",
                                    "hud", "skins_hd", "night_sky"};
const int ArchiveKindCount = sizeof ArchiveKinds / sizeof ArchiveKinds[0];

bool MakeSizedFile(const std::string &path, unsigned long size)
{
#ifdef _WIN32
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    bool sized = SetFilePointer(file, (LONG)size, nullptr, FILE_BEGIN) != INVALID_SET_FILE_POINTER &&
                 SetEndOfFile(file);
    return CloseHandle(file) && sized;
#else
    int file = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (file < 0)
        return false;
    bool sized = ftruncate(file, (off_t)size) == 0;
    return close(file) == 0 && sized;
#endif
}

std::string ArchiveName(const char *prefix, int index)
{
    char name[64];
    snprintf(name, sizeof name, "%s_%05d_%s.iwd", prefix, index,
             ArchiveKinds[index % ArchiveKindCount]);
    return name;
}

bool FillFolder(const std::string &folder, const char *prefix, int count)
{
    if (!MakeFolder(folder))
        return false;
    const int sizeCount = sizeof ArchiveSizes / sizeof ArchiveSizes[0];
    for (int i = 0; i < count; i++) {
        unsigned long size = ArchiveSizes[i % sizeCount] + (unsigned long)i;
        if (!MakeSizedFile(JoinPath(folder, ArchiveName(prefix, i)), size)) {
            fprintf(stderr, "bench: cannot write an archive in %s\n", folder.c_str());
            return false;
        }
    }
    return true;
}

std::string ReadSmallFile(const std::string &path)
{
    std::string text;
    FILE *file = fopen(path.c_str(), "rb");
    if (!file)
        return text;
    char buffer[256];
    size_t got = fread(buffer, 1, sizeof buffer, file);
    text.assign(buffer, got);
    fclose(file);
    return text;
}

} // namespace

std::string SystemPath(const std::string &path)
{
#ifdef _WIN32
    if (path.empty() || path[0] != '/')
        return path;
    std::string result = "Z:" + path;
    for (char &c : result)
        if (c == '/')
            c = '\\';
    return result;
#else
    return path;
#endif
}

std::string JoinPath(const std::string &folder, const std::string &name)
{
    return folder + Separator + name;
}

bool MakeFolder(const std::string &path)
{
#ifdef _WIN32
    return CreateDirectoryA(path.c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS;
#else
    return mkdir(path.c_str(), 0755) == 0 || errno == EEXIST;
#endif
}

bool WriteTextFile(const std::string &path, const std::string &text)
{
    FILE *file = fopen(path.c_str(), "wb");
    if (!file)
        return false;
    bool written = fwrite(text.data(), 1, text.size(), file) == text.size();
    return fclose(file) == 0 && written;
}

bool ChangeDirectory(const std::string &path)
{
#ifdef _WIN32
    return SetCurrentDirectoryA(path.c_str()) != 0;
#else
    return chdir(path.c_str()) == 0;
#endif
}

long long FileSize(const std::string &path)
{
    FILE *file = fopen(path.c_str(), "rb");
    if (!file)
        return -1;
    long long size = -1;
    if (fseek(file, 0, SEEK_END) == 0)
        size = ftell(file);
    fclose(file);
    return size;
}

bool PrepareGame(const std::string &root, int installed, int available, BenchGame *game)
{
    game->root = root;
    game->mainFolder = JoinPath(root, "main");
    game->programFolder = JoinPath(root, "QuillmoorMM");
    game->modsFolder = JoinPath(game->programFolder, "mods");

    // Written last, so that a run cut short lays the folders out again.
    char counts[64];
    snprintf(counts, sizeof counts, "%d %d\n", installed, available);
    std::string marker = JoinPath(root, "prepared");
    if (ReadSmallFile(marker) == counts)
        return true;
    return MakeFolder(root) && FillFolder(game->mainFolder, "base", installed) &&
           MakeFolder(game->programFolder) &&
           FillFolder(game->modsFolder, "mod", available) && WriteTextFile(marker, counts);
}

std::string IgnoreListText(int entries)
{
    std::string text;
    for (int i = 0; i < entries; i++) {
        char entry[32];
        snprintf(entry, sizeof entry, "stock_%03d.iwd\n", i);
        text += entry;
    }
    return text;
}
