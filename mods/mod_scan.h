// Scanning the two mod folders into their lists.
#ifndef QUILLMOOR_MOD_SCAN_H
#define QUILLMOOR_MOD_SCAN_H

#include "mod_list.h"

// "..\main\%s" or ".\mods\%s": where a file of the folder lies, relative to
// the current directory.
const char *ModFolderPathFormat(ModFolder folder);

// Why the scan left a row of this name in this folder without a full path:
// ERROR_FILENAME_EXCED_RANGE when the name is too long for one,
// ERROR_INVALID_NAME when a path made from it would reach another file, and
// ERROR_SUCCESS when it names one file now and a path would reach it: the
// folder changed while the scan read it.
DWORD MissingFullPathReason(ModFolder folder, const char *name);

void ScanInstalled(HWND window);
void ScanAvailable(HWND window);

#endif
