// What a user does to one mod: install, uninstall, delete, each on one row
// of a mod list; and the report of a file-system failure.
#ifndef QUILLMOOR_MOD_OPERATIONS_H
#define QUILLMOOR_MOD_OPERATIONS_H

#include "mod_list.h"

void InstallMod(HWND window, int row);
void UninstallMod(HWND window, int row);
void DeleteMod(HWND window, int row, ModFolder folder);

// Shows `text` and the system's wording of `code` to the user.
void ReportError(HWND owner, DWORD code, const char *text);

#endif
