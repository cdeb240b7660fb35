// Scanning the two mod folders into their lists.
#ifndef QUILLMOOR_MOD_SCAN_H
#define QUILLMOOR_MOD_SCAN_H

#include "mod_list.h"

// "..\main\%s" or ".\mods\%s": where a file of the folder lies, relative to
// the current directory.
const char *ModFolderPathFormat(ModFolder folder);

// Whether a name is one file name and nothing more: no separator, drive or
// stream colon or wildcard, which a path would take for more than a name.
bool IsOneFileName(const char *name);

void ScanInstalled(HWND window);
void ScanAvailable(HWND window);

#endif
