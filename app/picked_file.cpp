// The picked file of a mod list, read back from the list's own cells.
#include "picked_file.h"

#include <string.h>

void RecordPickedFile(HWND window, ModFolder folder, int row, PickedFile &picked)
{
    ForgetPickedFile(picked);
    picked.row = row;
    picked.recorded = ReadRowFile(window, folder, row, &picked);
}

void ForgetPickedFile(PickedFile &picked)
{
    picked.recorded = false;
    picked.name[0] = '\0';
    picked.fullPath[0] = '\0';
}

bool IsPickedFileAt(HWND window, ModFolder folder, int row, const PickedFile &picked)
{
    RowFile shown;
    if (!picked.recorded || !ReadRowFile(window, folder, row, &shown))
        return false;
    return strcmp(shown.name, picked.name) == 0 && strcmp(shown.fullPath, picked.fullPath) == 0;
}
