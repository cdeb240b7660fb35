// What the user picked in a mod list: the file that the recorded row showed
// when it was recorded. A row index alone goes stale when its list is
// rescanned or loses a row; the main window runs an operation only on a row
// that still shows the picked file.
#ifndef QUILLMOOR_PICKED_FILE_H
#define QUILLMOOR_PICKED_FILE_H

#include "mod_list.h"

struct PickedFile {
    bool recorded;
    char name[MAX_PATH];
    char fullPath[MAX_PATH];
};

// Remembers the file shown at `row` of the folder's list; a row the list does
// not have leaves nothing recorded.
void RecordPickedFile(HWND window, ModFolder folder, int row, PickedFile &picked);
void ForgetPickedFile(PickedFile &picked);
// True when a file was recorded and `row` of the list shows that same file:
// the same name and the same full path.
bool IsPickedFileAt(HWND window, ModFolder folder, int row, const PickedFile &picked);

#endif
