// The program's dialogs from outside (dialogs.h).
#include "dialogs.h"

#include "controls.h"
#include "input.h"
#include "message_boxes.h"
#include "program_windows.h"
#include "resource.h"
#include "wait.h"

#include <gtest/gtest.h>

#include <iostream>

namespace {

const char LoadFailure[] =
    "Failed to load 'ignore.list'.\nCheck that it exists and is not currently in use.";

// The thread of the program's windows is working a menu (the menu bar's, a
// context menu or a system menu), whether or not one is dropped down.
bool InMenuMode(const Program &program)
{
    GUITHREADINFO info = {};
    return ProgramThreadInfo(program, &info) && (info.flags & GUI_INMENUMODE);
}

// Keys pressed together (Alt+Space) to the window in front. The pointer is
// moved off the program's windows first: a menu that opens under it would
// take the move that the X server reports as it appears.
bool PressChord(WORD modifier, WORD key)
{
    if (!SetCursorPos(GetSystemMetrics(SM_CXSCREEN) - 1, GetSystemMetrics(SM_CYSCREEN) - 1))
        return false;
    INPUT keys[4] = {};
    const WORD order[4] = {modifier, key, key, modifier};
    for (int i = 0; i < 4; ++i) {
        keys[i].type = INPUT_KEYBOARD;
        keys[i].ki.wVk = order[i];
        keys[i].ki.dwFlags = i < 2 ? 0 : KEYEVENTF_KEYUP;
    }
    return SendInput(4, keys, sizeof(INPUT)) == 4;
}

// A click on the entry at `index` of the list box, which must be in view.
void ClickEntry(Program *program, HWND editor, int index)
{
    HWND list = GetDlgItem(editor, IDC_IGNORE_ENTRIES);
    int height = (int)AskWindow(list, LB_GETITEMHEIGHT);
    int top = (int)AskWindow(list, LB_GETTOPINDEX);
    ASSERT_GT(height, 0);
    ASSERT_TRUE(ClickControlAt(program, list, {6, (index - top) * height + height / 2}));
    EXPECT_TRUE(WaitFor([&] { return AskWindow(list, LB_GETCURSEL) == index; }))
        << "entry " << index << " was not selected";
}

} // namespace

HWND OpenDialog(Program *program, int menu, int item, const char *caption)
{
    HWND dialog = nullptr;
    EXPECT_TRUE(ChooseMenuBarItem(program, menu, item));
    EXPECT_TRUE(WaitFor([&] {
        dialog = FindOwnedDialog(*program, caption, program->window);
        return dialog != nullptr;
    })) << "\""
        << caption << "\" did not open";
    return dialog;
}

void ExpectDialogOpen(Program *program, HWND dialog)
{
    EXPECT_TRUE(IsWindow(dialog) && IsWindowVisible(dialog)) << "the dialog closed";
    EXPECT_FALSE(IsWindowEnabled(program->window)) << "the main window takes input";
}

void ExpectDialogClosed(Program *program, HWND dialog)
{
    EXPECT_TRUE(WaitFor([&] { return !IsWindow(dialog); })) << "the dialog stayed open";
    EXPECT_TRUE(WaitFor([&] { return IsWindowEnabled(program->window) != FALSE; }))
        << "the main window stayed disabled";
    EXPECT_FALSE(ProgramHasExited(program));
}

void ClickIn(Program *program, HWND dialog, int control)
{
    ASSERT_TRUE(ClickControl(program, GetDlgItem(dialog, control)));
}

void UseDialogCloseBox(HWND dialog)
{
    ASSERT_TRUE(PostMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0));
}

std::vector<std::string> Entries(HWND editor)
{
    HWND list = GetDlgItem(editor, IDC_IGNORE_ENTRIES);
    std::vector<std::string> entries;
    int count = (int)AskWindow(list, LB_GETCOUNT);
    for (int index = 0; index < count; ++index) {
        // Across processes Wine gives the narrow form of an entry cut
        // short, and copies as much as it carried: the wide form, into an
        // ample buffer.
        std::vector<WCHAR> text(2048, 0);
        EXPECT_LT(AskWindow(list, LB_GETTEXTLEN, index), (LRESULT)text.size() / 2);
        DWORD_PTR length = 0;
        if (!SendMessageTimeoutW(list, LB_GETTEXT, index, (LPARAM)text.data(), SMTO_NORMAL,
                                 CaseWaitLimit, &length))
            ADD_FAILURE() << "the program did not give entry " << index;
        std::string entry;
        for (size_t i = 0; i < text.size() && text[i]; ++i)
            entry += (char)text[i];
        entries.push_back(entry);
    }
    return entries;
}

void ExpectEntries(HWND editor, const std::vector<std::string> &entries)
{
    WaitFor([&] { return Entries(editor) == entries; });
    EXPECT_EQ(Entries(editor), entries);
}

void ExpectEditText(HWND editor, const std::string &text)
{
    WaitFor([&] { return ControlText(editor, IDC_IGNORE_ENTRY) == text; });
    EXPECT_EQ(ControlText(editor, IDC_IGNORE_ENTRY), text);
}

void InputFence(Program *program, HWND editor)
{
    std::string before = ControlText(editor, IDC_IGNORE_ENTRY);
    ClickIn(program, editor, IDC_IGNORE_ENTRY);
    ASSERT_TRUE(PressKeyIn(program, editor, VK_END));
    ASSERT_TRUE(TypeText(program, editor, "z"));
    ExpectEditText(editor, before + "z");
    ASSERT_TRUE(PressKeyIn(program, editor, VK_BACK));
    ExpectEditText(editor, before);
}

void AddTyped(Program *program, HWND editor, const std::string &entry)
{
    size_t count = Entries(editor).size();
    ClickIn(program, editor, IDC_IGNORE_ENTRY);
    ASSERT_TRUE(TypeText(program, editor, entry));
    ExpectEditText(editor, entry);
    ClickIn(program, editor, IDC_IGNORE_ADD);
    ExpectEditText(editor, "");
    EXPECT_TRUE(WaitFor([&] { return Entries(editor).size() == count + 1; }))
        << entry << " was not added";
}

void DeleteEntry(Program *program, HWND editor, int index)
{
    size_t count = Entries(editor).size();
    ClickEntry(program, editor, index);
    ClickIn(program, editor, IDC_IGNORE_DELETE);
    EXPECT_TRUE(WaitFor([&] { return Entries(editor).size() + 1 == count; }))
        << "entry " << index << " was not deleted";
}

void ExpectEditorCannotLoad(Program *program)
{
    ASSERT_TRUE(ChooseMenuBarItem(program, FileMenu, IgnoreListItem));
    // The message comes while the editor is being set up, owned by it; the
    // editor is not shown yet then.
    HWND editor = nullptr;
    ASSERT_TRUE(WaitFor([&] {
        for (HWND candidate = nullptr;
             (candidate = FindWindowExA(nullptr, candidate, "#32770", "Ignore List"));) {
            if (FindOwnedDialog(*program, ErrorCaption, candidate)) {
                editor = candidate;
                return true;
            }
        }
        return false;
    })) << "no message box owned by the editor";
    EXPECT_EQ(GetWindow(editor, GW_OWNER), program->window);
    ShownMessageBox box;
    ASSERT_TRUE(FindMessageBoxOwnedBy(program, editor, &box));
    EXPECT_EQ(box.caption, ErrorCaption);
    EXPECT_EQ(box.text, LoadFailure);
    EXPECT_EQ(box.buttons, (std::vector<int>{IDOK}));
    ASSERT_TRUE(AnswerMessageBox(program, box, IDOK));
    ExpectDialogClosed(program, editor);
}

// Wine does not carry WM_GETICON (nor WM_QUERYDRAGICON) from another
// process: the send fails without an error, for the main window too, while
// the window answers every other message and the same send within one
// process returns the icon. Where the send goes through, both icons must be
// there; where it cannot, the check is said to be left out.
void ExpectWindowIcons(HWND dialog)
{
    DWORD_PTR small = 0, big = 0;
    if (!SendMessageTimeoutW(dialog, WM_GETICON, ICON_SMALL, 0, SMTO_NORMAL, CaseWaitLimit,
                             &small)) {
        DWORD_PTR ignored = 0;
        ASSERT_TRUE(
            SendMessageTimeoutW(dialog, WM_NULL, 0, 0, SMTO_NORMAL, CaseWaitLimit, &ignored))
            << "the program does not answer";
        static bool told;
        if (!told)
            std::cout << "note: this system does not give the icons of another process's "
                         "windows; they are not checked\n";
        told = true;
        return;
    }
    EXPECT_TRUE(
        SendMessageTimeoutW(dialog, WM_GETICON, ICON_BIG, 0, SMTO_NORMAL, CaseWaitLimit, &big));
    EXPECT_NE(small, 0u) << "no small icon";
    EXPECT_NE(big, 0u) << "no big icon";
}

void OpenSystemMenu(Program *program)
{
    ASSERT_TRUE(PressChord(VK_MENU, VK_SPACE));
    ASSERT_TRUE(WaitFor([&] { return ContextMenuOpen(*program); })) << "no system menu";
}

// Esc closes the system menu; under Wine the window then stays in menu mode
// on the system menu's place, and a second Esc leaves it. Each Esc waits
// for what it does.
void LeaveSystemMenu(Program *program, HWND dialog)
{
    ASSERT_TRUE(PressKeyIn(program, dialog, VK_ESCAPE));
    ASSERT_TRUE(WaitFor([&] { return !ContextMenuOpen(*program); })) << "the menu stayed";
    // The Esc that closed the menu has been handled, and menu mode left with
    // it if it was to be.
    ASSERT_TRUE(Settle(program));
    if (InMenuMode(*program)) {
        ASSERT_TRUE(PressKeyIn(program, dialog, VK_ESCAPE));
    }
    ASSERT_TRUE(WaitFor([&] { return !InMenuMode(*program); })) << "still in menu mode";
}
