// The scratch game folder and the message box of the fuzz targets.
#include "fuzz_support.h"

#include "message_box.h"

#include <dirent.h>
#include <fcntl.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

int messageBoxesShown;

namespace {

std::string scratchRoot;

void RemoveScratchFolder()
{
    std::error_code ignored;
    if (!scratchRoot.empty())
        std::filesystem::remove_all(scratchRoot, ignored);
}

void MakeFolderOrStop(const std::string &path)
{
    if (mkdir(path.c_str(), 0755) != 0) {
        perror(path.c_str());
        abort();
    }
}

} // namespace

int ShowMessageBox(HWND, const char *, const char *, UINT type)
{
    messageBoxesShown++;
    return (type & MB_YESNO) ? IDNO : IDOK;
}

bool EnterScratchGameFolder()
{
    const char *temp = getenv("TMPDIR");
    scratchRoot = std::string(temp && *temp ? temp : "/tmp") + "/quill-fuzz-" +
                  std::to_string((long)getpid());
    RemoveScratchFolder();
    MakeFolderOrStop(scratchRoot);
    MakeFolderOrStop(scratchRoot + "/main");
    MakeFolderOrStop(scratchRoot + "/QuillmoorMM");
    MakeFolderOrStop(scratchRoot + "/QuillmoorMM/mods");
    if (chdir((scratchRoot + "/QuillmoorMM").c_str()) != 0) {
        perror("chdir");
        abort();
    }
    atexit(RemoveScratchFolder);
    return true;
}

void WriteWholeFile(const char *path, const std::string &bytes)
{
    FILE *file = fopen(path, "wb");
    Check(file != nullptr, "a scratch file can be written");
    Check(fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size(),
          "a scratch file is written whole");
    Check(fclose(file) == 0, "a scratch file is closed");
}

std::string ReadWholeFile(const char *path)
{
    std::string bytes;
    FILE *file = fopen(path, "rb");
    Check(file != nullptr, "a scratch file can be read");
    char block[4096];
    size_t got;
    while ((got = fread(block, 1, sizeof block, file)) > 0)
        bytes.append(block, got);
    fclose(file);
    return bytes;
}

void EmptyFolder(const char *path)
{
    DIR *dir = opendir(path);
    Check(dir != nullptr, "a scratch folder can be listed");
    while (struct dirent *entry = readdir(dir)) {
        if (!strcmp(entry->d_name, ".") || !strcmp(entry->d_name, ".."))
            continue;
        std::string full = std::string(path) + "/" + entry->d_name;
        if (unlink(full.c_str()) != 0)
            Check(rmdir(full.c_str()) == 0, "a scratch folder can be emptied");
    }
    closedir(dir);
}

void Check(bool holds, const char *rule)
{
    if (holds)
        return;
    fprintf(stderr, "\nBROKEN RULE: %s\n", rule);
    abort();
}
