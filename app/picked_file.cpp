// The picked file of a mod list, read back from the list's own cells.
#include "picked_file.h"

#include <string.h>

namespace {

bool IsRow(HWND window, ModFolder folder, int row)
{
    return row >= 0 && row < ModListRowCount(window, folder);
}

} // namespace

void RecordPickedFile(HWND window, ModFolder folder, int row, PickedFile &picked)
{
    ForgetPickedFile(picked);
    picked.row = row;
    if (!IsRow(window, folder, row))
        return;
    ModListGetCell(window, folder, row, NameColumn, picked.name, sizeof picked.name);
    ModListGetCell(window, folder, row, FullPathColumn, picked.fullPath,
                   sizeof picked.fullPath);
    picked.recorded = true;
}

void ForgetPickedFile(PickedFile &picked)
{
    picked.recorded = false;
    picked.name[0] = '\0';
    picked.fullPath[0] = '\0';
}

bool IsPickedFileAt(HWND window, ModFolder folder, int row, const PickedFile &picked)
{
    if (!picked.recorded || !IsRow(window, folder, row))
        return false;
    char name[MAX_PATH];
    char fullPath[MAX_PATH];
    ModListGetCell(window, folder, row, NameColumn, name, sizeof name);
    ModListGetCell(window, folder, row, FullPathColumn, fullPath, sizeof fullPath);
    return strcmp(name, picked.name) == 0 && strcmp(fullPath, picked.fullPath) == 0;
}
