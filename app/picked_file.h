// What the user picked in a mod list: the row recorded there and the file
// that row showed when it was recorded. A row index alone goes stale when
// its list is rescanned or loses a row; the main window runs an operation
// only on a row that still shows the picked file.
#ifndef QUILLMOOR_PICKED_FILE_H
#define QUILLMOOR_PICKED_FILE_H

#include "mod_list.h"

struct PickedFile : RowFile {
    int row;
    bool recorded;
};

// Records `row` and the file it shows in the folder's list; a row the list
// does not have leaves no file recorded.
void RecordPickedFile(HWND window, ModFolder folder, int row, PickedFile &picked);
// Forgets the file; the row stays recorded.
void ForgetPickedFile(PickedFile &picked);
// True when a file was recorded and `row` of the list shows that same file:
// the same name and the same full path.
bool IsPickedFileAt(HWND window, ModFolder folder, int row, const PickedFile &picked);

#endif
