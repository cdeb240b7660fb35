// The window the benchmark scans into: under Windows a hidden window with
// the main window's list view controls and count labels, so that the
// program's own list operations run; elsewhere the lists in memory.
#ifndef QUILLMOOR_BENCH_WINDOW_H
#define QUILLMOOR_BENCH_WINDOW_H

#include "platform.h"

// Null if the window cannot be made.
HWND OpenBenchWindow();
void CloseBenchWindow(HWND window);

#endif
