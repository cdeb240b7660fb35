#include "test_support.h"

#include "files.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#ifndef _WIN32
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace fs = std::filesystem;

namespace {

int foldersMade;

std::string UniqueName()
{
#ifdef _WIN32
    unsigned long process = GetCurrentProcessId();
#else
    unsigned long process = (unsigned long)getpid();
#endif
    return "quill-" + std::to_string(process) + "-" + std::to_string(++foldersMade);
}

} // namespace

GameFolder::GameFolder()
{
    previousFolder = fs::current_path().string();
    fs::path base = fs::temp_directory_path() / UniqueName();
    fs::create_directories(base / "main");
    fs::create_directories(base / "QuillmoorMM" / "mods");
    root = base.string();
    programFolder = (base / "QuillmoorMM").string();
    fs::current_path(programFolder);
}

GameFolder::~GameFolder()
{
    fs::current_path(previousFolder);
    std::error_code ignored;
    for (auto &entry : fs::recursive_directory_iterator(root, ignored))
        fs::permissions(entry.path(), fs::perms::owner_all, fs::perm_options::add, ignored);
    fs::remove_all(root, ignored);
}

void WriteFile(const std::string &path, const std::string &bytes)
{
    ASSERT_TRUE(WriteWholeFile(path, bytes)) << "cannot write " << path;
}

std::string ReadFile(const std::string &path)
{
    std::string bytes;
    ReadWholeFile(path, &bytes);
    return bytes;
}

bool FileExists(const std::string &path)
{
    std::error_code ignored;
    return fs::exists(path, ignored);
}

void MakeFolder(const std::string &path)
{
    fs::create_directories(path);
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
