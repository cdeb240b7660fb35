// A main window in memory, for the tests and benchmarks: its two mod lists
// stand where the program has list view controls and count labels.
#ifndef QUILLMOOR_MEMORY_MOD_LIST_H
#define QUILLMOOR_MEMORY_MOD_LIST_H

#include "mod_list.h"

struct MemoryWindow {
    ModList lists[2];
};

// The handle under which the core reaches `window`'s lists.
HWND MemoryWindowHandle(MemoryWindow *window);

#endif
