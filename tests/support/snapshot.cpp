#include "snapshot.h"

#include <gtest/gtest.h>

#include <stdio.h>

#include <algorithm>

#ifdef _WIN32
#include <windows.h>
#else
#include <filesystem>
#include <fstream>
#endif

namespace {

// FNV-1a, enough to tell a changed file from the same.
struct Checksum {
    unsigned long long hash = 14695981039346656037ULL;
    unsigned long long size = 0;
    void Add(const char *bytes, size_t count)
    {
        for (size_t i = 0; i < count; ++i)
            hash = (hash ^ (unsigned char)bytes[i]) * 1099511628211ULL;
        size += count;
    }
    std::string Text() const
    {
        char text[48];
        snprintf(text, sizeof text, "%llu %016llx", size, hash);
        return text;
    }
};

#ifdef _WIN32
// The wide calls, with the path in its "\\?\" form: the narrow ones stop at
// MAX_PATH and at names the code page cannot hold.
std::wstring WideOfNarrow(const std::string &narrow)
{
    int length = MultiByteToWideChar(CP_ACP, 0, narrow.c_str(), -1, nullptr, 0);
    std::wstring wide(length > 0 ? length : 1, L'\0');
    MultiByteToWideChar(CP_ACP, 0, narrow.c_str(), -1, &wide[0], length);
    wide.resize(wcslen(wide.c_str()));
    return wide;
}

std::wstring Wide(const std::string &narrow)
{
    const std::wstring wide = WideOfNarrow(narrow);
    wchar_t full[32768];
    DWORD made = GetFullPathNameW(wide.c_str(), 32768, full, nullptr);
    return made > 0 && made < 32768 ? L"\\\\?\\" + std::wstring(full) : wide;
}

std::string Utf8(const std::wstring &wide)
{
    int length =
        WideCharToMultiByte(CP_UTF8, 0, wide.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string narrow(length > 0 ? length : 1, '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.c_str(), -1, &narrow[0], length, nullptr, nullptr);
    narrow.resize(strlen(narrow.c_str()));
    return narrow;
}

bool ReadChecksum(const std::wstring &path, Checksum *sum)
{
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    char block[65536];
    DWORD got = 0;
    bool ok;
    while ((ok = ReadFile(file, block, sizeof block, &got, nullptr) != FALSE) && got > 0)
        sum->Add(block, got);
    CloseHandle(file);
    return ok;
}

bool Add(const std::wstring &folder, const std::string &relative, Snapshot *snapshot)
{
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return false;
    bool whole = true;
    do {
        const std::wstring name = found.cFileName;
        if (name == L"." || name == L"..")
            continue;
        const std::string path = relative + Utf8(name);
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            (*snapshot)[path] = "folder";
            whole = Add(folder + L"\\" + name, path + "/", snapshot) && whole;
            continue;
        }
        Checksum sum;
        whole = ReadChecksum(folder + L"\\" + name, &sum) && whole;
        (*snapshot)[path] = sum.Text();
    } while (FindNextFileW(search, &found));
    FindClose(search);
    return whole;
}

bool AddAll(const std::string &folder, Snapshot *snapshot)
{
    return Add(Wide(folder), "", snapshot);
}
#else
// Linux names are bytes, which std::filesystem keeps as they are.
bool AddAll(const std::string &folder, Snapshot *snapshot)
{
    namespace fs = std::filesystem;
    std::error_code error;
    for (fs::recursive_directory_iterator entry(folder, error), end; !error && entry != end;
         entry.increment(error)) {
        const std::string path = fs::relative(entry->path(), folder).generic_string();
        if (entry->is_directory() || !entry->is_regular_file()) {
            // A pipe is never opened: that would wait for a writer.
            (*snapshot)[path] = entry->is_directory() ? "folder" : "not a file";
            continue;
        }
        Checksum sum;
        std::ifstream file(entry->path(), std::ios::binary);
        char block[65536];
        while (file.read(block, sizeof block) || file.gcount() > 0)
            sum.Add(block, (size_t)file.gcount());
        if (!file.eof())
            return false;
        (*snapshot)[path] = sum.Text();
    }
    return !error;
}
#endif

} // namespace

Snapshot TakeSnapshot(const std::string &folder)
{
    Snapshot snapshot;
    if (!AddAll(folder, &snapshot))
        ADD_FAILURE() << "cannot read all of " << folder;
    return snapshot;
}

std::string SnapshotOfBytes(const std::string &bytes)
{
    Checksum sum;
    sum.Add(bytes.data(), bytes.size());
    return sum.Text();
}

Snapshot MovedInSnapshot(Snapshot before, const std::string &from, const std::string &to,
                         bool *found)
{
    auto entry = before.find(from);
    if (found)
        *found = entry != before.end();
    if (entry == before.end())
        return before;
    std::string content = entry->second;
    before.erase(entry);
    if (!to.empty())
        before[to] = content;
    return before;
}

std::string SnapshotKey(const std::string &relative)
{
#ifdef _WIN32
    std::string key = Utf8(WideOfNarrow(relative));
#else
    std::string key = relative;
#endif
    std::replace(key.begin(), key.end(), '\\', '/');
    return key;
}

std::vector<std::string> NamesAndSizes(const std::string &folder)
{
    std::vector<std::string> entries;
    for (const auto &entry : TakeSnapshot(folder)) {
        if (entry.first.find('/') == std::string::npos && entry.second != "folder")
            entries.push_back(entry.first + " " +
                              entry.second.substr(0, entry.second.find(' ')));
    }
    std::sort(entries.begin(), entries.end());
    return entries;
}
