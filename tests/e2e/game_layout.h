// A fresh game folder per case, made and removed with the system's calls as
// the program sees them; the files a case puts into it or reads back are
// those of files.h, and files by paths too long for them.
#ifndef QUILLMOOR_E2E_GAME_LAYOUT_H
#define QUILLMOOR_E2E_GAME_LAYOUT_H

#include "files.h"

#include <windows.h>

#include <string>

// A case's game folder, <case folder>\game, with an ignore list. The case
// folder is <temp>\quill-e2e-<process>-<n>, which holds what a case puts
// beside the game too; manifests are taken of it. Every path is absolute.
struct GameLayout : GameFolder {
    std::string caseFolder;
};

bool MakeGameLayout(GameLayout *game, const std::string &ignoreText);
void RemoveGameLayout(const GameLayout &game);

// Files by paths longer than the narrow calls take (MAX_PATH and more).
HANDLE OpenLongPath(const std::string &path, DWORD access, DWORD sharing, DWORD disposition);
bool DeleteLongPath(const std::string &path);

#endif
