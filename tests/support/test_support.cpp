#include "test_support.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#ifndef _WIN32
#include <sched.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace fs = std::filesystem;

namespace {

int foldersMade;

#ifdef _WIN32
unsigned long ProcessId()
{
    return GetCurrentProcessId();
}
#else
unsigned long ProcessId()
{
    return (unsigned long)getpid();
}
#endif

// Removes everything inside a folder, leaving the folder itself (which may
// be a volume's root).
void EmptyFolder(const fs::path &folder)
{
    std::error_code ignored;
    for (auto &entry : fs::directory_iterator(folder, ignored))
        fs::remove_all(entry.path(), ignored);
}

} // namespace

std::string MakeUniqueFolder(const std::string &parent)
{
    // A folder that is already there is someone else's: the next name is
    // tried, so a process id used again by a later run finds its own.
    for (;;) {
        fs::path folder = fs::path(parent) / ("quill-" + std::to_string(ProcessId()) + "-" +
                                              std::to_string(++foldersMade));
        std::error_code error;
        if (fs::create_directory(folder, error))
            return folder.string();
        if (error)
            throw fs::filesystem_error("cannot make a test folder", folder, error);
    }
}

TemporaryGame::TemporaryGame()
{
    previousFolder = fs::current_path().string();
    static_cast<GameFolder &>(*this) =
        GameFolderIn(MakeUniqueFolder(fs::temp_directory_path().string()));
    if (!MakeGameFolder(*this))
        throw fs::filesystem_error("cannot make a game folder", root, std::error_code());
    fs::current_path(programFolder);
}

TemporaryGame::~TemporaryGame()
{
    fs::current_path(previousFolder);
    std::error_code ignored;
    for (auto &entry : fs::recursive_directory_iterator(root, ignored))
        fs::permissions(entry.path(), fs::perms::owner_all, fs::perm_options::add, ignored);
    fs::remove_all(root, ignored);
}

SmallVolumeGame::SmallVolumeGame(const std::string &part)
{
    const char *prepared = getenv("QUILL_SMALL_VOLUMES");
    if (prepared && *prepared) {
        // Mounted beforehand, one game folder per part: <folder>/<part>.
        static_cast<GameFolder &>(*this) = GameFolderIn(JoinPath(SystemPath(prepared), part));
        if (!PathExists(modsFolder)) {
            missing = "no game folder " + root + " in QUILL_SMALL_VOLUMES";
            return;
        }
    } else {
#ifdef _WIN32
        missing = "no small volume: run under scripts/with-tmpfs --small-volumes";
        return;
#else
        // Mounted in a namespace of this process's own: the mount goes with
        // the process, even one killed part-way.
        static const bool privateMounts =
            unshare(CLONE_NEWNS) == 0 &&
            mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0;
        if (!privateMounts) {
            missing = "cannot mount a small volume here (" + std::string(strerror(errno)) + ")";
            return;
        }
        static_cast<GameFolder &>(*this) =
            GameFolderIn(MakeUniqueFolder(fs::temp_directory_path().string()));
        const std::string on = part == "main"   ? mainFolder
                               : part == "mods" ? modsFolder
                                                : programFolder;
        fs::create_directories(on);
        if (mount("tmpfs", on.c_str(), "tmpfs", 0, "size=256k,mode=0777") != 0) {
            missing = "cannot mount a small volume here (" + std::string(strerror(errno)) + ")";
            fs::remove_all(root);
            return;
        }
        mountPoint = on;
        if (!MakeGameFolder(*this)) {
            missing = "cannot make a game folder on the small volume";
            umount2(mountPoint.c_str(), MNT_DETACH);
            fs::remove_all(root);
            return;
        }
#endif
    }
    previousFolder = fs::current_path().string();
    fs::current_path(programFolder);
}

SmallVolumeGame::~SmallVolumeGame()
{
    if (!missing.empty())
        return;
    fs::current_path(previousFolder);
    // The prepared folders stay for the next case, empty.
    EmptyFolder(mainFolder);
    EmptyFolder(modsFolder);
    std::error_code ignored;
    for (auto &entry : fs::directory_iterator(programFolder, ignored))
        if (entry.path().filename() != "mods")
            fs::remove_all(entry.path(), ignored);
#ifndef _WIN32
    if (!mountPoint.empty()) {
        umount2(mountPoint.c_str(), MNT_DETACH);
        fs::remove_all(root, ignored);
    }
#endif
}

std::vector<std::string> SearchOrder(const std::string &pattern)
{
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(pattern.c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return names;
    do
        names.push_back(found.cFileName);
    while (FindNextFileA(search, &found));
    FindClose(search);
    return names;
}

bool FillVolume(const std::string &folder)
{
    FILE *file = fopen(JoinPath(folder, "filler").c_str(), "wb");
    if (!file)
        return false;
    const std::string block(4096, 'f');
    while (fwrite(block.data(), 1, block.size(), file) == block.size() && fflush(file) == 0) {
    }
    // What would not fit in whole blocks, a byte at a time.
    clearerr(file);
    while (fputc('f', file) != EOF && fflush(file) == 0) {
    }
    fclose(file);
    return true;
}

HostileFile::HostileFile(const std::string &folder, const HostileName &name,
                         const std::string &bytes)
{
#ifdef _WIN32
    // Always past normalisation, so that the file can be removed again.
    wchar_t wideFolder[MAX_PATH], full[MAX_PATH];
    MultiByteToWideChar(CP_ACP, 0, folder.c_str(), -1, wideFolder, MAX_PATH);
    GetFullPathNameW(wideFolder, MAX_PATH, full, nullptr);
    path = std::wstring(name.raw ? L"\\\\?\\" : L"") + full + L"\\" + name.name;
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        std::cout << "[   NOTE   ] cannot make a file of that name here (error "
                  << GetLastError() << ")\n";
        return;
    }
    DWORD written = 0;
    ::WriteFile(file, bytes.data(), (DWORD)bytes.size(), &written, nullptr);
    CloseHandle(file);
    made = written == bytes.size();
#else
    path = folder + "/" + name.name;
    made = WriteWholeFile(path, bytes);
#endif
}

HostileFile::~HostileFile()
{
#ifdef _WIN32
    DeleteFileW(path.c_str());
#else
    unlink(path.c_str());
#endif
}

void RemovePath(const std::string &path)
{
    std::error_code ignored;
    fs::remove_all(path, ignored);
}

// Folded by hand over the bytes of the current directory's name: going
// through std::filesystem would convert the bytes of non-ASCII names.
std::string AbsolutePath(const std::string &path)
{
#ifdef _WIN32
    const char separator = '\\';
    char current[MAX_PATH];
    GetCurrentDirectoryA(sizeof current, current);
#else
    const char separator = '/';
    char current[4096];
    if (!getcwd(current, sizeof current))
        return "";
#endif
    std::string result = current;
    size_t start = 0;
    while (start <= path.size()) {
        size_t end = path.find_first_of("/\\", start);
        if (end == std::string::npos)
            end = path.size();
        std::string part = path.substr(start, end - start);
        if (part == "..")
            result.erase(result.find_last_of(separator));
        else if (!part.empty() && part != ".")
            result += separator + part;
        start = end + 1;
    }
    return result;
}

bool MakeReadOnly(const std::string &path)
{
#ifdef _WIN32
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY);
#else
    chmod(path.c_str(), 0444);
#endif
    FILE *probe = fopen(path.c_str(), "r+b");
    if (probe) {
        fclose(probe);
        return false;
    }
    return true;
}

void MakeWritable(const std::string &path)
{
#ifdef _WIN32
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
#else
    chmod(path.c_str(), 0644);
#endif
}
