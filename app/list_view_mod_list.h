// The mod lists on the main window's list view controls: besides the list
// operations of mod_list.h, the columns each list is given once, before its
// first scan. The benchmark sets up its lists with the same call.
#ifndef QUILLMOOR_LIST_VIEW_MOD_LIST_H
#define QUILLMOOR_LIST_VIEW_MOD_LIST_H

#include "mod_list.h"

// The list view control that shows a folder's mods; and the folder whose
// mods a control shows, false for a control that shows none.
int ModListControl(ModFolder folder);
bool FolderOfModListControl(int control, ModFolder *folder);

// "Name", "Filesize" and "Full Path", the last as wide as the rest of the
// list's client area, and whole rows selected by a click.
void SetUpModListColumns(HWND window, ModFolder folder);

#endif
