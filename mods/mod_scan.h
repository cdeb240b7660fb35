// Scanning the two mod folders into their lists.
#ifndef QUILLMOOR_MOD_SCAN_H
#define QUILLMOOR_MOD_SCAN_H

#include "mod_list.h"

// "..\main\%s" or ".\mods\%s": where a file of the folder lies, relative to
// the current directory.
const char *ModFolderPathFormat(ModFolder folder);

void ScanInstalled(HWND window);
void ScanAvailable(HWND window);
// The one of the two for the folder's list.
void ScanList(HWND window, ModFolder folder);

#endif
