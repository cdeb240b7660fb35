// The main window: its start-up, the selection state (the row recorded from
// each list, the context list and the valid flag), the two context menus,
// and the dispatch of the menu commands to the scans and mod operations.
#include "main_dialog.h"

#include "about_dialog.h"
#include "ignore_list.h"
#include "ignore_list_dialog.h"
#include "manual.h"
#include "message_box.h"
#include "mod_operations.h"
#include "mod_scan.h"
#include "picked_file.h"
#include "resource.h"
#include "window_icons.h"

#include <commctrl.h>

namespace {

// Which row the user picked. One valid flag serves both lists: a click in
// either list sets it, every Install, Uninstall and Delete clears it.
struct SelectionState {
    int installedRow;
    int availableRow;
    int contextList; // 1: the installed list, 0: the available list
    int valid;
};

SelectionState selection;

// The file each list showed at its recorded row when it was recorded, indexed
// by ModFolder. The row index alone may name another file by the time a
// command comes (after a rescan or a removal), or may never have been
// recorded from the context list at all, since the valid flag is shared.
PickedFile pickedFiles[2];

// The first popup of each copy of the context menu; loaded once, never freed.
HMENU installedMenu;
HMENU availableMenu;

const char *const DeleteQuestion =
    "If you delete this mod it will no longer be available.\nContinue?";

ModFolder FolderOfList(int control)
{
    return control == IDC_INSTALLED_LIST ? InstalledFolder : AvailableFolder;
}

ModFolder ContextFolder()
{
    return selection.contextList == 1 ? InstalledFolder : AvailableFolder;
}

int &RecordedRow(ModFolder folder)
{
    return folder == InstalledFolder ? selection.installedRow : selection.availableRow;
}

// Whether the recorded row of the list is one the user picked there and
// still shows the file picked.
bool IsRecordedRowPicked(HWND window, ModFolder folder)
{
    return IsPickedFileAt(window, folder, RecordedRow(folder), pickedFiles[folder]);
}

// Every operation needs a new click afterwards, whether it ran or not.
void EndOperation()
{
    selection.valid = 0;
    ForgetPickedFile(pickedFiles[InstalledFolder]);
    ForgetPickedFile(pickedFiles[AvailableFolder]);
}

HMENU LoadListMenu(HINSTANCE module, UINT installState, UINT uninstallState)
{
    HMENU menu = GetSubMenu(LoadMenuA(module, MAKEINTRESOURCEA(IDR_LIST_MENU)), 0);
    EnableMenuItem(menu, IDM_INSTALL, MF_BYCOMMAND | installState);
    EnableMenuItem(menu, IDM_UNINSTALL, MF_BYCOMMAND | uninstallState);
    return menu;
}

void LoadListMenus()
{
    HINSTANCE module = GetModuleHandleA(nullptr);
    installedMenu = LoadListMenu(module, MF_GRAYED, MF_ENABLED);
    availableMenu = LoadListMenu(module, MF_ENABLED, MF_GRAYED);
}

void AddListColumns(HWND window, int control)
{
    HWND list = GetDlgItem(window, control);
    RECT client;
    GetClientRect(list, &client);
    const struct {
        const char *header;
        int width;
    } columns[3] = {
        {"Name", 175},
        {"Filesize", 75},
        {"Full Path", (int)(client.right - client.left) - 250},
    };
    for (int i = 0; i < 3; i++) {
        LVCOLUMNA column = {};
        column.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT;
        column.fmt = LVCFMT_LEFT;
        column.cx = columns[i].width;
        column.pszText = const_cast<char *>(columns[i].header);
        SendMessageA(list, LVM_INSERTCOLUMNA, (WPARAM)i, (LPARAM)&column);
    }
    // Mask 0 applies the value to every extended style.
    SendMessageA(list, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_FULLROWSELECT);
}

void InitMainDialog(HWND window)
{
    SetWindowIcons(window);
    LoadListMenus();
    AddListColumns(window, IDC_INSTALLED_LIST);
    AddListColumns(window, IDC_AVAILABLE_LIST);
    OpenIgnoreList();
    ScanInstalled(window);
    ScanAvailable(window);
}

// Records the list's focused row, which is not necessarily the row under the
// cursor: a click on the list's empty part records it too.
void RecordFocusedRow(HWND window, int control)
{
    HWND list = GetDlgItem(window, control);
    int row = (int)SendMessageA(list, LVM_GETNEXTITEM, (WPARAM)-1, MAKELPARAM(LVNI_FOCUSED, 0));
    if (row < 0)
        return;
    ModFolder folder = FolderOfList(control);
    RecordedRow(folder) = row;
    selection.valid = 1;
    RecordPickedFile(window, folder, row, pickedFiles[folder]);
}

// Opens even when no row was recorded; the choice comes as WM_COMMAND.
void OpenListMenu(HWND window, int control)
{
    selection.contextList = control == IDC_INSTALLED_LIST ? 1 : 0;
    POINT cursor;
    GetCursorPos(&cursor);
    HMENU menu = control == IDC_INSTALLED_LIST ? installedMenu : availableMenu;
    TrackPopupMenu(menu, 0, cursor.x + 1, cursor.y, 0, window, nullptr);
}

void OnListNotify(HWND window, int control, const NMHDR *header)
{
    switch (header->code) {
    case NM_CLICK:
        RecordFocusedRow(window, control);
        break;
    case NM_RCLICK:
        RecordFocusedRow(window, control);
        OpenListMenu(window, control);
        break;
    }
}

void OnNotify(HWND window, WPARAM wParam, LPARAM lParam)
{
    int control = LOWORD(wParam);
    if (control == IDC_INSTALLED_LIST || control == IDC_AVAILABLE_LIST)
        OnListNotify(window, control, (const NMHDR *)lParam);
}

void RequestClose(HWND window)
{
    PostMessageA(window, WM_CLOSE, 0, 0);
}

void InstallPickedMod(HWND window)
{
    if (selection.contextList != 1 && selection.valid == 1 &&
        IsRecordedRowPicked(window, AvailableFolder))
        InstallMod(window, selection.availableRow);
    EndOperation();
}

void UninstallPickedMod(HWND window)
{
    if (selection.contextList == 1 && selection.valid == 1 &&
        IsRecordedRowPicked(window, InstalledFolder))
        UninstallMod(window, selection.installedRow);
    EndOperation();
}

// A row that may not be deleted is refused before the question: asking
// about it would promise a delete that cannot happen.
void DeletePickedMod(HWND window)
{
    ModFolder folder = ContextFolder();
    if (selection.valid == 1 && IsRecordedRowPicked(window, folder) &&
        ShowMessageBox(window, DeleteQuestion, "Quillmoor MM", MB_ICONQUESTION | MB_YESNO) ==
            IDYES)
        DeleteMod(window, RecordedRow(folder), folder);
    EndOperation();
}

// The recorded rows and the valid flag stay: a row still showing its picked
// file may be acted on after the rescan.
void ScanContextList(HWND window)
{
    if (selection.contextList == 1)
        ScanInstalled(window);
    else
        ScanAvailable(window);
}

void OnCommand(HWND window, WPARAM wParam)
{
    switch (LOWORD(wParam)) {
    case IDCANCEL:
    case IDM_EXIT:
        RequestClose(window);
        break;
    case IDM_INSTALL:
        InstallPickedMod(window);
        break;
    case IDM_UNINSTALL:
        UninstallPickedMod(window);
        break;
    case IDM_DELETE:
        DeletePickedMod(window);
        break;
    case IDM_SCAN:
        ScanContextList(window);
        break;
    case IDM_IGNORE_LIST:
        RunIgnoreListDialog(window);
        break;
    case IDM_ABOUT:
        RunAboutDialog(window);
        break;
    case IDM_MANUAL:
        OpenManual(window);
        break;
    }
}

void CloseMainDialog(HWND window)
{
    CloseIgnoreList();
    EndDialog(window, 0);
}

} // namespace

INT_PTR CALLBACK MainDialog(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        InitMainDialog(window);
        break;
    case WM_NOTIFY:
        OnNotify(window, wParam, lParam);
        break;
    case WM_COMMAND:
        OnCommand(window, wParam);
        break;
    case WM_CLOSE:
        CloseMainDialog(window);
        break;
    }
    return 0;
}
