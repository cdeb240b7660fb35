// The window the benchmark scans into: under Windows a hidden window with
// the main window's list view controls and count labels, so that the
// program's own list operations run; elsewhere the lists in memory.
#ifndef QUILLMOOR_BENCH_WINDOW_H
#define QUILLMOOR_BENCH_WINDOW_H

#include "mod_list.h"

// Null if the window cannot be made.
HWND OpenBenchWindow();
void CloseBenchWindow(HWND window);

// What the floor of a scan does to a list: the list operations the scan is
// built on and nothing around them. Under Windows the messages straight to
// the list view, whose handle FloorClear looks up once, the list drawn once
// at the end as the program's refill draws it; elsewhere the lists in
// memory.
void FloorClear(HWND window, ModFolder folder);
void FloorAddRow(HWND window, ModFolder folder, int index, const char *name,
                 const char *sizeText, const char *fullPath);
void FloorShowCount(HWND window, ModFolder folder, int count);

#endif
