// A main window in memory, for the tests and benchmarks: its two mod lists
// stand where the program has list view controls and count labels.
#ifndef QUILLMOOR_MEMORY_MOD_LIST_H
#define QUILLMOOR_MEMORY_MOD_LIST_H

#include "mod_list.h"

#include <string>
#include <vector>

// One row as the list shows it: three text cells, and the note kept with
// it.
struct ModRow {
    std::string name;
    std::string sizeText;
    std::string fullPath;
    int note;
};

// The rows of one folder, in the order the folder search returned them, with
// the number its count label shows, how many refills began and whether one
// is still open.
struct ModList {
    std::vector<ModRow> rows;
    unsigned countLabel;
    int refills;
    bool refilling;
};

struct MemoryWindow {
    ModList lists[2];
};

// The handle under which the core reaches `window`'s lists.
HWND MemoryWindowHandle(MemoryWindow *window);

#endif
