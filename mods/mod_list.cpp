// What the core builds on the mod-list operations, whichever store links
// them: the list view controls or the lists in memory.
#include "mod_list.h"

bool ReadRowFile(HWND window, ModFolder folder, int row, RowFile *file)
{
    file->name[0] = '\0';
    file->fullPath[0] = '\0';
    file->missingPath = PathMade;
    if (row < 0 || row >= ModListRowCount(window, folder))
        return false;
    ModListGetCell(window, folder, row, NameColumn, file->name, sizeof file->name);
    ModListGetCell(window, folder, row, FullPathColumn, file->fullPath, sizeof file->fullPath);
    if (file->fullPath[0] == '\0')
        file->missingPath = (MissingPath)ModListGetNote(window, folder, row);
    return true;
}

void ShowRowCount(HWND window, ModFolder folder)
{
    ModListShowCount(window, folder, (unsigned)ModListRowCount(window, folder));
}
