// The main window: its start-up, the selection state (the row recorded from
// each list, the context list and the valid flag), the two context menus,
// and the dispatch of the menu commands to the scans and mod operations.
#include "main_dialog.h"

#include "about_dialog.h"
#include "dialogs.h"
#include "ignore_list.h"
#include "ignore_list_dialog.h"
#include "list_view_mod_list.h"
#include "manual.h"
#include "message_box.h"
#include "mod_operations.h"
#include "mod_scan.h"
#include "picked_file.h"
#include "resource.h"
#include "window_icons.h"

#include <commctrl.h>
#include <windowsx.h>

namespace {

// Which row the user picked in each list, and the file it showed then; which
// list's context menu was opened last; and one valid flag for both lists: a
// click in either list sets it, every Install, Uninstall and Delete clears
// it. The row index alone may name another file by the time a command comes
// (after a rescan or a removal), or may never have been recorded from the
// context list at all, since the valid flag is shared.
struct SelectionState {
    PickedFile picked[2]; // by ModFolder
    ModFolder contextList;
    bool valid;
};

SelectionState selection = {{}, AvailableFolder, false};

// The first popup of each copy of the context menu; loaded once, never freed.
HMENU installedMenu;
HMENU availableMenu;

const char *const DeleteQuestion =
    "If you delete this mod it will no longer be available.\nContinue?";

// Whether the recorded row of the list is one the user picked there and
// still shows the file picked.
bool IsRecordedRowPicked(HWND window, ModFolder folder)
{
    const PickedFile &picked = selection.picked[folder];
    return IsPickedFileAt(window, folder, picked.row, picked);
}

// Every operation needs a new click afterwards, whether it ran or not.
void EndOperation()
{
    selection.valid = false;
    ForgetPickedFile(selection.picked[InstalledFolder]);
    ForgetPickedFile(selection.picked[AvailableFolder]);
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

void OnInitDialog(HWND window)
{
    SetWindowIcons(window);
    LoadListMenus();
    SetUpModListColumns(window, InstalledFolder);
    SetUpModListColumns(window, AvailableFolder);
    OpenIgnoreList();
    ScanInstalled(window);
    ScanAvailable(window);
}

// Records the list's focused row, which is not necessarily the row under the
// cursor: a click on the list's empty part records it too.
void RecordFocusedRow(HWND window, ModFolder folder)
{
    HWND list = GetDlgItem(window, ModListControl(folder));
    int row = (int)SendMessageA(list, LVM_GETNEXTITEM, (WPARAM)-1, MAKELPARAM(LVNI_FOCUSED, 0));
    if (row < 0)
        return;
    RecordPickedFile(window, folder, row, selection.picked[folder]);
    selection.valid = true;
}

HMENU ListMenu(ModFolder folder)
{
    return folder == InstalledFolder ? installedMenu : availableMenu;
}

// Opens at the cursor even when no row was recorded; the choice comes as
// WM_COMMAND.
void OpenListMenu(HWND window, ModFolder folder)
{
    selection.contextList = folder;
    POINT cursor;
    GetCursorPos(&cursor);
    TrackPopupMenu(ListMenu(folder), 0, cursor.x + 1, cursor.y, 0, window, nullptr);
}

// The keyboard's way to the same menu, with nothing to point at: below the
// list's focused row, keeping off that row wherever the screen's edge puts
// the menu; at the top-left corner of the list's rows where no row is
// focused or it is scrolled out of view (the column headers hide the rows
// under them).
void OpenListMenuByKeyboard(HWND window, ModFolder folder)
{
    selection.contextList = folder;
    HWND list = GetDlgItem(window, ModListControl(folder));
    RECT visible, row, headers;
    GetClientRect(list, &visible);
    HWND header = (HWND)SendMessageA(list, LVM_GETHEADER, 0, 0);
    if (header && GetClientRect(header, &headers))
        visible.top += headers.bottom;
    TPMPARAMS keepOff = {sizeof keepOff, {0, 0, 0, 0}};
    POINT corner = {visible.left, visible.top};
    int focused =
        (int)SendMessageA(list, LVM_GETNEXTITEM, (WPARAM)-1, MAKELPARAM(LVNI_FOCUSED, 0));
    row.left = LVIR_BOUNDS;
    if (focused >= 0 && SendMessageA(list, LVM_GETITEMRECT, (WPARAM)focused, (LPARAM)&row) &&
        IntersectRect(&keepOff.rcExclude, &row, &visible)) {
        MapWindowPoints(list, nullptr, (POINT *)&keepOff.rcExclude, 2);
        corner.x = keepOff.rcExclude.left;
        corner.y = keepOff.rcExclude.bottom;
    } else {
        MapWindowPoints(list, nullptr, &corner, 1);
    }
    TrackPopupMenuEx(ListMenu(folder), TPM_LEFTALIGN | TPM_TOPALIGN | TPM_VERTICAL, corner.x,
                     corner.y, window, &keepOff);
}

void OnListNotify(HWND window, ModFolder folder, const NMHDR *header)
{
    switch (header->code) {
    case NM_CLICK:
        RecordFocusedRow(window, folder);
        break;
    case NM_RCLICK:
        RecordFocusedRow(window, folder);
        OpenListMenu(window, folder);
        break;
    }
}

// The Menu key and Shift+F10 on a list ask for its menu at no position
// (-1, -1), and the list records its focused row as a click would. A right
// click has opened its menu already, on NM_RCLICK: the list view follows
// that with this message at the cursor, which is left alone.
void OnContextMenu(HWND window, HWND control, LPARAM position)
{
    ModFolder folder;
    if (GET_X_LPARAM(position) != -1 || GET_Y_LPARAM(position) != -1 ||
        !FolderOfModListControl(GetDlgCtrlID(control), &folder))
        return;
    RecordFocusedRow(window, folder);
    OpenListMenuByKeyboard(window, folder);
}

void OnNotify(HWND window, WPARAM wParam, LPARAM lParam)
{
    ModFolder folder;
    if (FolderOfModListControl(LOWORD(wParam), &folder))
        OnListNotify(window, folder, (const NMHDR *)lParam);
}

void InstallPickedMod(HWND window)
{
    if (selection.contextList != InstalledFolder && selection.valid &&
        IsRecordedRowPicked(window, AvailableFolder))
        InstallMod(window, selection.picked[AvailableFolder].row);
    EndOperation();
}

void UninstallPickedMod(HWND window)
{
    if (selection.contextList == InstalledFolder && selection.valid &&
        IsRecordedRowPicked(window, InstalledFolder))
        UninstallMod(window, selection.picked[InstalledFolder].row);
    EndOperation();
}

// A row that may not be deleted is refused before the question: asking
// about it would promise a delete that cannot happen.
void DeletePickedMod(HWND window)
{
    ModFolder folder = selection.contextList;
    int row = selection.picked[folder].row;
    RowFile file;
    // A row without a full path goes straight to DeleteMod, which refuses it.
    if (selection.valid && IsRecordedRowPicked(window, folder) &&
        ReadRowFile(window, folder, row, &file) &&
        (file.fullPath[0] == '\0' || ShowMessageBox(window, DeleteQuestion, "Quillmoor MM",
                                                    MB_ICONQUESTION | MB_YESNO) == IDYES))
        DeleteMod(window, row, folder);
    EndOperation();
}

// The recorded rows and the valid flag stay: a row still showing its picked
// file may be acted on after the rescan.
void ScanContextList(HWND window)
{
    ScanList(window, selection.contextList);
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

void OnClose(HWND window)
{
    CloseIgnoreList();
    EndDialog(window, 0);
}

INT_PTR CALLBACK MainDialog(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        OnInitDialog(window);
        break;
    case WM_NOTIFY:
        OnNotify(window, wParam, lParam);
        break;
    case WM_CONTEXTMENU:
        OnContextMenu(window, (HWND)wParam, lParam);
        break;
    case WM_COMMAND:
        OnCommand(window, wParam);
        break;
    case WM_CLOSE:
        OnClose(window);
        break;
    }
    return 0;
}

} // namespace

void RunMainDialog()
{
    RunDialog(nullptr, IDD_MAIN, MainDialog);
}
