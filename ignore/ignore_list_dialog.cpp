// The ignore-list editor: the entries of "ignore.list" in a sorted list box,
// where the user adds and removes entries and saves them back. The list box
// is the only copy of the entries while the editor is open.
#include "ignore_list_dialog.h"

#include "dialogs.h"
#include "ignore_list.h"
#include "ignore_list_entries.h"
#include "message_box.h"
#include "resource.h"
#include "window_icons.h"

namespace {

HWND EntryList(HWND editor)
{
    return GetDlgItem(editor, IDC_IGNORE_ENTRIES);
}

void AddEntryToList(const char *entry, void *list)
{
    SendMessageA((HWND)list, LB_ADDSTRING, 0, (LPARAM)entry);
}

void OnInitDialog(HWND editor)
{
    SetWindowIcons(editor);
    SendMessageA(GetDlgItem(editor, IDC_IGNORE_ENTRY), EM_LIMITTEXT, IgnoreEntryMax, 0);
    if (!LoadIgnoreEntries(AddEntryToList, EntryList(editor))) {
        ShowErrorMessage(editor, "Failed to load 'ignore.list'.\n"
                                 "Check that it exists and is not currently in use.");
        RequestClose(editor);
    }
}

// "Add" is only offered while there is something to add.
void FollowEntryEdit(HWND editor)
{
    LRESULT length = SendMessageA(GetDlgItem(editor, IDC_IGNORE_ENTRY), WM_GETTEXTLENGTH, 0, 0);
    EnableWindow(GetDlgItem(editor, IDC_IGNORE_ADD), length > 0);
}

// The entry goes in exactly as typed: a duplicate, a name without its
// extension or one with spaces around it is the user's to make. Only what
// the file cannot hold as one line is refused, and stays in the edit.
void AddTypedEntry(HWND editor)
{
    char entry[IgnoreEntryMax + 1];
    GetDlgItemTextA(editor, IDC_IGNORE_ENTRY, entry, sizeof entry);
    if (!CanStoreEntry(entry)) {
        ShowErrorMessage(editor, "The entry cannot be added: it holds a line break or a "
                                 "Ctrl-Z character.");
        return;
    }
    SetDlgItemTextA(editor, IDC_IGNORE_ENTRY, "");
    SendMessageA(EntryList(editor), LB_ADDSTRING, 0, (LPARAM)entry);
}

void DeleteSelectedEntry(HWND editor)
{
    HWND list = EntryList(editor);
    LRESULT index = SendMessageA(list, LB_GETCURSEL, 0, 0);
    if (index != LB_ERR)
        SendMessageA(list, LB_DELETESTRING, (WPARAM)index, 0);
}

int ListEntryLength(int index, void *list)
{
    LRESULT length = SendMessageA((HWND)list, LB_GETTEXTLEN, (WPARAM)index, 0);
    return length == LB_ERR ? -1 : (int)length;
}

int ListEntryText(int index, char *buffer, void *list)
{
    LRESULT copied = SendMessageA((HWND)list, LB_GETTEXT, (WPARAM)index, (LPARAM)buffer);
    return copied == LB_ERR ? -1 : (int)copied;
}

// The store reads the list box's entries one at a time as it writes them,
// each text copied into room of the length the list box gives for it. The
// editor closes after a save whether or not it worked; the store has told
// the user of a failure.
void SaveEntries(HWND editor)
{
    HWND list = EntryList(editor);
    int count = (int)SendMessageA(list, LB_GETCOUNT, 0, 0);
    IgnoreEntrySource source = {count, ListEntryLength, ListEntryText, list};
    SaveIgnoreEntries(editor, source);
    RequestClose(editor);
}

void OnCommand(HWND editor, WPARAM wParam)
{
    switch (LOWORD(wParam)) {
    case IDC_IGNORE_ENTRY:
        if (HIWORD(wParam) == EN_CHANGE)
            FollowEntryEdit(editor);
        break;
    case IDC_IGNORE_ADD:
        AddTypedEntry(editor);
        break;
    case IDC_IGNORE_DELETE:
        DeleteSelectedEntry(editor);
        break;
    case IDC_IGNORE_SAVE:
        SaveEntries(editor);
        break;
    case IDC_IGNORE_CANCEL:
    case IDCANCEL:
        RequestClose(editor);
        break;
    }
}

void OnClose(HWND editor)
{
    EndDialog(editor, 0);
}

// Answers every message with 0, as every window of the program does. For
// WM_INITDIALOG that declines to have a control focused there and then; the
// dialog manager focuses the first control with a tab stop (the entry list)
// when the editor is activated.
INT_PTR CALLBACK IgnoreListDialog(HWND editor, UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG:
        OnInitDialog(editor);
        break;
    case WM_COMMAND:
        OnCommand(editor, wParam);
        break;
    case WM_CLOSE:
        OnClose(editor);
        break;
    }
    return 0;
}

} // namespace

void RunIgnoreListDialog(HWND owner)
{
    RunDialog(owner, IDD_IGNORE_LIST, IgnoreListDialog);
}
