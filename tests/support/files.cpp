#include "files.h"

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

} // namespace

// Through the C library on every system, as the program's own streams go:
// under Wine it also takes the paths longer than MAX_PATH that the unit tests
// make, which the narrow Win32 calls refuse.
bool WriteWholeFile(const std::string &path, const std::string &bytes)
{
    FILE *file = fopen(path.c_str(), "wb");
    if (!file)
        return false;
    bool written = fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    return fclose(file) == 0 && written;
}

const char MissingFile[] = "<missing>";

std::string ReadWholeFile(const std::string &path)
{
    FILE *file = fopen(path.c_str(), "rb");
    if (!file)
        return MissingFile;
    std::string bytes;
    char block[4096];
    size_t got;
    while ((got = fread(block, 1, sizeof block, file)) > 0)
        bytes.append(block, got);
    bool ok = !ferror(file);
    fclose(file);
    return ok ? bytes : MissingFile;
}

#ifdef _WIN32

bool MakeSizedFile(const std::string &path, unsigned long size)
{
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    bool sized =
        SetFilePointer(file, (LONG)size, nullptr, FILE_BEGIN) != INVALID_SET_FILE_POINTER &&
        SetEndOfFile(file);
    return CloseHandle(file) && sized;
}

bool PathExists(const std::string &path)
{
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool EnsureFolder(const std::string &path)
{
    return CreateDirectoryA(path.c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS;
}

bool ChangeDirectory(const std::string &path)
{
    return SetCurrentDirectoryA(path.c_str()) != 0;
}

#else

bool MakeSizedFile(const std::string &path, unsigned long size)
{
    int file = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (file < 0)
        return false;
    bool sized = ftruncate(file, (off_t)size) == 0;
    return close(file) == 0 && sized;
}

bool PathExists(const std::string &path)
{
    struct stat status;
    return stat(path.c_str(), &status) == 0;
}

bool EnsureFolder(const std::string &path)
{
    return mkdir(path.c_str(), 0755) == 0 || errno == EEXIST;
}

bool ChangeDirectory(const std::string &path)
{
    return chdir(path.c_str()) == 0;
}

#endif

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

std::string JoinPath(const std::string &folder, const std::string &name)
{
    return folder + Separator + name;
}

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

GameFolder GameFolderIn(const std::string &root)
{
    GameFolder game;
    game.root = root;
    game.mainFolder = JoinPath(root, "main");
    game.programFolder = JoinPath(root, "QuillmoorMM");
    game.modsFolder = JoinPath(game.programFolder, "mods");
    game.ignoreFile = JoinPath(game.programFolder, "ignore.list");
    return game;
}

bool MakeGameFolder(const GameFolder &game)
{
    return EnsureFolder(game.root) && EnsureFolder(game.mainFolder) &&
           EnsureFolder(game.programFolder) && EnsureFolder(game.modsFolder);
}
