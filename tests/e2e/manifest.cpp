// What lies on disk, taken whole to compare before and after a case.
#include "manifest.h"

#include "game_layout.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <stdio.h>
#include <string.h>

std::vector<std::string> FolderSnapshot(const std::string &folder)
{
    std::vector<std::string> entries;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return entries;
    do {
        if (strcmp(found.cFileName, ".") == 0 || strcmp(found.cFileName, "..") == 0)
            continue;
        entries.push_back(std::string(found.cFileName) + " " +
                          std::to_string(found.nFileSizeLow));
    } while (FindNextFileA(search, &found));
    FindClose(search);
    std::sort(entries.begin(), entries.end());
    return entries;
}

namespace {

// FNV-1a over the whole file: enough to tell a changed file from the same.
bool FileChecksum(const std::string &path, unsigned long long *sum)
{
    HANDLE file =
        OpenLongPath(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                     OPEN_EXISTING);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    unsigned long long hash = 14695981039346656037ULL;
    char block[65536];
    DWORD got = 0;
    bool ok;
    while ((ok = ReadFile(file, block, sizeof block, &got, nullptr)) && got > 0) {
        for (DWORD i = 0; i < got; ++i)
            hash = (hash ^ (unsigned char)block[i]) * 1099511628211ULL;
    }
    CloseHandle(file);
    *sum = hash;
    return ok;
}

bool AddToManifest(const std::string &root, const std::string &relative, Manifest *manifest)
{
    std::string folder = relative.empty() ? root : root + "\\" + relative;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) {
        ADD_FAILURE() << "cannot list " << folder << ", error " << GetLastError();
        return false;
    }
    bool ok = true;
    do {
        if (strcmp(found.cFileName, ".") == 0 || strcmp(found.cFileName, "..") == 0)
            continue;
        std::string path =
            relative.empty() ? found.cFileName : relative + "\\" + found.cFileName;
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            (*manifest)[path] = "folder";
            ok = AddToManifest(root, path, manifest) && ok;
            continue;
        }
        unsigned long long sum = 0;
        if (!FileChecksum(root + "\\" + path, &sum)) {
            ADD_FAILURE() << "cannot read " << path << ", error " << GetLastError();
            ok = false;
        }
        char entry[64];
        snprintf(entry, sizeof entry, "%lu %016llx", (unsigned long)found.nFileSizeLow, sum);
        (*manifest)[path] = entry;
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return ok;
}

} // namespace

Manifest TakeManifest(const std::string &root)
{
    Manifest manifest;
    if (!AddToManifest(root, "", &manifest))
        manifest.clear();
    return manifest;
}

Manifest MovedInManifest(Manifest before, const std::string &from, const std::string &to)
{
    auto entry = before.find(from);
    if (entry == before.end()) {
        ADD_FAILURE() << from << " is not in the manifest";
        return before;
    }
    std::string content = entry->second;
    before.erase(entry);
    if (!to.empty())
        before[to] = content;
    return before;
}
