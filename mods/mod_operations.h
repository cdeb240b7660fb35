// What a user does to one mod: install, uninstall, delete, each on one row
// of a mod list.
#ifndef QUILLMOOR_MOD_OPERATIONS_H
#define QUILLMOOR_MOD_OPERATIONS_H

#include "mod_list.h"

void InstallMod(HWND window, int row);
void UninstallMod(HWND window, int row);
void DeleteMod(HWND window, int row, ModFolder folder);

#endif
