// The scratch game folder and the message box of the fuzz targets.
#include "fuzz_support.h"

#include "files.h"
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
    GameFolder game = GameFolderIn(scratchRoot);
    if (PathExists(scratchRoot) || !MakeGameFolder(game)) {
        perror(scratchRoot.c_str());
        abort();
    }
    if (!ChangeDirectory(game.programFolder)) {
        perror("chdir");
        abort();
    }
    atexit(RemoveScratchFolder);
    return true;
}

void WriteScratchFile(const char *path, const std::string &bytes)
{
    Check(WriteWholeFile(path, bytes), "a scratch file is written whole");
}

std::string ReadScratchFile(const char *path)
{
    // A fuzzed file may hold anything, the stand-in for a missing one too.
    Check(PathExists(path), "a scratch file can be read");
    return ReadWholeFile(path);
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
