// What the unit tests share: a game folder in a temporary directory and file
// helpers.
#ifndef QUILLMOOR_TEST_SUPPORT_H
#define QUILLMOOR_TEST_SUPPORT_H

#include "platform.h"

#include <string>
#include <vector>

// A fresh game folder: <root>/main and <root>/QuillmoorMM/mods. While it
// lives, the current directory is the program folder <root>/QuillmoorMM, as
// when the program runs; paths below are relative to it.
struct GameFolder {
    GameFolder();
    ~GameFolder();
    GameFolder(const GameFolder &) = delete;
    GameFolder &operator=(const GameFolder &) = delete;

    std::string root;
    std::string programFolder;
    std::string previousFolder;
};

void WriteFile(const std::string &path, const std::string &bytes);
std::string ReadFile(const std::string &path);
bool FileExists(const std::string &path);
void MakeFolder(const std::string &path);
void RemovePath(const std::string &path);
// The absolute form of a path relative to the current directory, with the
// system's separators, for comparing with the full-path column.
std::string AbsolutePath(const std::string &path);
// Marks a file read-only; false where this process may write to it anyway
// (root on Linux, and so under Wine), in which case a test of it proves nothing.
bool MakeReadOnly(const std::string &path);
void MakeWritable(const std::string &path);

#endif
