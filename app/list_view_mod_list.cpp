// The mod lists of the program: the main window's two list view controls are
// the store of the rows, and the static labels under them show the counts.
#include "list_view_mod_list.h"

#include "resource.h"

#include <commctrl.h>
#include <stdio.h>

namespace {

// Each folder's list control and count label, by ModFolder.
const int ListControls[2] = {IDC_INSTALLED_LIST, IDC_AVAILABLE_LIST};
const int CountLabels[2] = {IDC_INSTALLED_COUNT, IDC_AVAILABLE_COUNT};

// Each list's control, as last looked up. GetDlgItem asks the window system
// for all of the dialog's children on every call, which under Wine is a trip
// to its server for every row a scan adds; the handle kept is used only while
// it still names that control of that window.
HWND listControls[2];

HWND ListOf(HWND window, ModFolder folder)
{
    HWND &list = listControls[folder];
    if (!list || !IsWindow(list) || GetParent(list) != window ||
        GetDlgCtrlID(list) != ListControls[folder])
        list = GetDlgItem(window, ListControls[folder]);
    return list;
}

// The list view copies the text; it never writes through this pointer.
void SetItemText(LVITEMA &item, const char *text)
{
    item.mask = LVIF_TEXT;
    item.pszText = const_cast<char *>(text);
}

} // namespace

int ModListControl(ModFolder folder)
{
    return ListControls[folder];
}

bool FolderOfModListControl(int control, ModFolder *folder)
{
    for (int each = 0; each < 2; each++) {
        if (ListControls[each] == control) {
            *folder = (ModFolder)each;
            return true;
        }
    }
    return false;
}

void SetUpModListColumns(HWND window, ModFolder folder)
{
    HWND list = ListOf(window, folder);
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

// Redrawing the control and its scroll bar for every row added was nearly
// all of a scan's time; the refilled list is drawn once, at the end.
void ModListBeginRefill(HWND window, ModFolder folder)
{
    SendMessageA(ListOf(window, folder), WM_SETREDRAW, FALSE, 0);
}

void ModListEndRefill(HWND window, ModFolder folder)
{
    HWND list = ListOf(window, folder);
    SendMessageA(list, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list, nullptr, TRUE);
}

void ModListDeleteAll(HWND window, ModFolder folder)
{
    SendMessageA(ListOf(window, folder), LVM_DELETEALLITEMS, 0, 0);
}

void ModListInsertRow(HWND window, ModFolder folder, int index, const char *name)
{
    LVITEMA item = {};
    SetItemText(item, name);
    item.iItem = index;
    item.iSubItem = NameColumn;
    SendMessageA(ListOf(window, folder), LVM_INSERTITEMA, 0, (LPARAM)&item);
}

void ModListSetCell(HWND window, ModFolder folder, int index, ModColumn column,
                    const char *text)
{
    LVITEMA item = {};
    SetItemText(item, text);
    item.iItem = index;
    item.iSubItem = column;
    SendMessageA(ListOf(window, folder), LVM_SETITEMA, 0, (LPARAM)&item);
}

int ModListRowCount(HWND window, ModFolder folder)
{
    return (int)SendMessageA(ListOf(window, folder), LVM_GETITEMCOUNT, 0, 0);
}

void ModListGetCell(HWND window, ModFolder folder, int index, ModColumn column, char *text,
                    int size)
{
    if (size <= 0)
        return;
    text[0] = '\0';
    HWND list = ListOf(window, folder);
    if (index < 0 || index >= (int)SendMessageA(list, LVM_GETITEMCOUNT, 0, 0))
        return;

    LVITEMA item = {};
    item.iSubItem = column;
    item.pszText = text;
    item.cchTextMax = size;
    SendMessageA(list, LVM_GETITEMTEXTA, (WPARAM)index, (LPARAM)&item);
    // The control may answer with a pointer to its own copy of the text
    // instead of filling the buffer.
    if (item.pszText && item.pszText != text)
        FormatText(text, (size_t)size, "%s", item.pszText);
    text[size - 1] = '\0';
}

void ModListDeleteRow(HWND window, ModFolder folder, int index)
{
    SendMessageA(ListOf(window, folder), LVM_DELETEITEM, (WPARAM)index, 0);
}

// The note is the item's own parameter.
void ModListSetNote(HWND window, ModFolder folder, int index, int note)
{
    LVITEMA item = {};
    item.mask = LVIF_PARAM;
    item.iItem = index;
    item.lParam = note;
    SendMessageA(ListOf(window, folder), LVM_SETITEMA, 0, (LPARAM)&item);
}

int ModListGetNote(HWND window, ModFolder folder, int index)
{
    LVITEMA item = {};
    item.mask = LVIF_PARAM;
    item.iItem = index;
    if (!SendMessageA(ListOf(window, folder), LVM_GETITEMA, 0, (LPARAM)&item))
        return 0;
    return (int)item.lParam;
}

void ModListShowCount(HWND window, ModFolder folder, unsigned count)
{
    SetDlgItemInt(window, CountLabels[folder], count, FALSE);
}
