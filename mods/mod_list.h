// A mod list: the rows of one mod folder and the count label under them.
//
// The core reaches a list only through the operations below, given the main
// window and which folder's list is meant. The program implements them on
// the dialog's list view controls and static labels (app/list_view_mod_list.cpp),
// the tests and benchmarks in memory (tests/doubles/memory_mod_list.cpp); a
// build links one.
#ifndef QUILLMOOR_MOD_LIST_H
#define QUILLMOOR_MOD_LIST_H

#include "platform.h"

enum ModFolder { InstalledFolder = 0, AvailableFolder = 1 };

enum ModColumn { NameColumn = 0, SizeColumn = 1, FullPathColumn = 2 };

// A scan refills a list in one piece between these two calls: the list need
// not show every row as it arrives, only the whole once the refill ends.
void ModListBeginRefill(HWND window, ModFolder folder);
void ModListEndRefill(HWND window, ModFolder folder);

void ModListDeleteAll(HWND window, ModFolder folder);
void ModListInsertRow(HWND window, ModFolder folder, int index, const char *name);
void ModListSetCell(HWND window, ModFolder folder, int index, ModColumn column,
                    const char *text);
int ModListRowCount(HWND window, ModFolder folder);
// Always terminates `text` within `size` bytes; a missing row reads as "".
void ModListGetCell(HWND window, ModFolder folder, int index, ModColumn column, char *text,
                    int size);
void ModListDeleteRow(HWND window, ModFolder folder, int index);
void ModListShowCount(HWND window, ModFolder folder, unsigned count);
// A number kept with a row and not shown, 0 until set; a missing row reads
// as 0.
void ModListSetNote(HWND window, ModFolder folder, int index, int note);
int ModListGetNote(HWND window, ModFolder folder, int index);

// What the core builds on those operations (mod_list.cpp).
//
// Why the scan gave a row no full path, kept as the row's note.
enum MissingPath {
    PathMade = 0,
    NameTooLong,   // the path would not fit
    NameNotOwn,    // a path made from the name would reach another file
    FolderChanged, // the folder changed while the scan read it
};

// The file a row shows: its name and full path, each read whole, and where
// there is no path, why.
struct RowFile {
    char name[MAX_PATH];
    char fullPath[MAX_PATH];
    MissingPath missingPath;
};

// The one place a row index is checked and its cells read: false, with both
// texts empty, when the list has no row `row`.
bool ReadRowFile(HWND window, ModFolder folder, int row, RowFile *file);
// Writes the list's row count into its count label.
void ShowRowCount(HWND window, ModFolder folder);

#endif
