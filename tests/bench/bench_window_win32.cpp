// The benchmark's window under Windows: the program's own main dialog
// template, created hidden, with the program's own column set-up, so that a
// scan goes through the program's list operations into the real controls.
#include "bench_window.h"

#include "list_view_mod_list.h"
#include "resource.h"

#include <commctrl.h>

namespace {

// Nothing is handled: the window only holds the controls.
INT_PTR CALLBACK BenchDialog(HWND, UINT, WPARAM, LPARAM)
{
    return 0;
}

} // namespace

HWND OpenBenchWindow()
{
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);
    HWND window = CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_MAIN),
                                     nullptr, BenchDialog, 0);
    if (!window)
        return nullptr;
    SetUpModListColumns(window, InstalledFolder);
    SetUpModListColumns(window, AvailableFolder);
    return window;
}

void CloseBenchWindow(HWND window)
{
    DestroyWindow(window);
}
