// The benchmark's window under Windows: the program's own main dialog
// template, created hidden, with the program's own column set-up, so that a
// scan goes through the program's list operations into the real controls.
#include "bench_window.h"

#include "list_view_mod_list.h"
#include "resource.h"

#include <commctrl.h>

namespace {

HWND floorLists[2];

void SendCell(HWND list, int index, int column, const char *text)
{
    LVITEMA item = {};
    item.mask = LVIF_TEXT;
    item.iItem = index;
    item.iSubItem = column;
    item.pszText = const_cast<char *>(text);
    SendMessageA(list, column == 0 ? LVM_INSERTITEMA : LVM_SETITEMA, 0, (LPARAM)&item);
}

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

// The list is drawn once, at the end, as the program's refill does: drawn
// for every row, the control would cost the floor more than the scan.
void FloorClear(HWND window, ModFolder folder)
{
    floorLists[folder] = GetDlgItem(window, ModListControl(folder));
    SendMessageA(floorLists[folder], WM_SETREDRAW, FALSE, 0);
    SendMessageA(floorLists[folder], LVM_DELETEALLITEMS, 0, 0);
}

void FloorAddRow(HWND, ModFolder folder, int index, const char *name, const char *sizeText,
                 const char *fullPath)
{
    SendCell(floorLists[folder], index, NameColumn, name);
    SendCell(floorLists[folder], index, SizeColumn, sizeText);
    SendCell(floorLists[folder], index, FullPathColumn, fullPath);
}

void FloorShowCount(HWND window, ModFolder folder, int count)
{
    SendMessageA(floorLists[folder], WM_SETREDRAW, TRUE, 0);
    InvalidateRect(floorLists[folder], nullptr, TRUE);
    SetDlgItemInt(window, folder == InstalledFolder ? IDC_INSTALLED_COUNT : IDC_AVAILABLE_COUNT,
                  (UINT)count, FALSE);
}
