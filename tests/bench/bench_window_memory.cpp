// The benchmark's window on a system without list view controls: the mod
// lists in memory.
#include "bench_window.h"

#include "memory_mod_list.h"

HWND OpenBenchWindow()
{
    return MemoryWindowHandle(new MemoryWindow());
}

void CloseBenchWindow(HWND window)
{
    delete reinterpret_cast<MemoryWindow *>(window);
}

void FloorClear(HWND window, ModFolder folder)
{
    ModListDeleteAll(window, folder);
}

void FloorAddRow(HWND window, ModFolder folder, int index, const char *name,
                 const char *sizeText, const char *fullPath)
{
    ModListInsertRow(window, folder, index, name);
    ModListSetCell(window, folder, index, SizeColumn, sizeText);
    ModListSetCell(window, folder, index, FullPathColumn, fullPath);
}

void FloorShowCount(HWND window, ModFolder folder, int count)
{
    ModListShowCount(window, folder, (unsigned)count);
}
