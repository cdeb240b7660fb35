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
