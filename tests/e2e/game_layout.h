// A fresh game folder per case, and the files a case puts into it or reads
// back, through the system's calls as the program makes them. Each function
// that returns bool fails the case (through GoogleTest) when it returns false.
#ifndef QUILLMOOR_E2E_GAME_LAYOUT_H
#define QUILLMOOR_E2E_GAME_LAYOUT_H

#include "files.h"

#include <windows.h>

#include <string>

// <temp>\quill-e2e-<process>-<n>\game, with main, QuillmoorMM\mods and
// QuillmoorMM\ignore.list. Every path is absolute.
struct GameLayout {
    std::string root;
    std::string mainFolder;
    std::string programFolder;
    std::string modsFolder;
    std::string ignoreFile;
};

bool MakeGameLayout(GameLayout *game, const std::string &ignoreText);
void RemoveGameLayout(const GameLayout &game);

// A file of exactly `size` bytes.
bool WriteSizedFile(const std::string &path, unsigned size);
// The file's bytes, or "<missing>" when it cannot be opened. (PathExists is
// the one of files.h.)
std::string ReadWholeFile(const std::string &path);
// Files by paths longer than the narrow calls take (MAX_PATH and more).
HANDLE OpenLongPath(const std::string &path, DWORD access, DWORD sharing, DWORD disposition);
bool DeleteLongPath(const std::string &path);
// A file holding exactly `bytes`.
bool WriteBytesFile(const std::string &path, const std::string &bytes);

#endif
