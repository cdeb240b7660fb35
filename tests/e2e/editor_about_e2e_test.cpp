// The ignore-list editor, the manual command and the about box, opened from
// the menu bar and worked with real typing and clicks: what they show, what
// reaches "ignore.list", and how each of them closes.
#include "e2e_harness.h"
#include "resource.h"
#include "text_lines.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <iostream>
#include <string.h>

namespace {

// Menus of the menu bar and their items, separators not counted.
const int FileMenu = 0, HelpMenu = 1;
const int IgnoreListItem = 0, ManualItem = 0, AboutItem = 1;

const char LoadFailure[] =
    "Failed to load 'ignore.list'.\nCheck that it exists and is not currently in use.";
const char EntryRefused[] =
    "The entry cannot be added: it holds a line break or a Ctrl-Z character.";
const char ManualMissing[] =
    "Cannot find manual, should be in the same directory as this. "
    "(.\\manual\\).\nReinstalling Quillmoor MM might fix this problem.";

// "Mmm dd yyyy hh:mm:ss", the day padded with a space.
bool IsBuildTimeForm(const std::string &text)
{
    const char form[] = "Aaa #9 9999 99:99:99";
    if (text.size() != strlen(form))
        return false;
    for (size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        bool fits = false;
        switch (form[i]) {
        case 'A':
            fits = c >= 'A' && c <= 'Z';
            break;
        case 'a':
            fits = c >= 'a' && c <= 'z';
            break;
        case '#':
            fits = c == ' ' || (c >= '1' && c <= '3');
            break;
        case '9':
            fits = c >= '0' && c <= '9';
            break;
        default:
            fits = c == form[i];
        }
        if (!fits)
            return false;
    }
    return true;
}

// The thread of the program's windows is working a menu (the menu bar's, a
// context menu or a system menu), whether or not one is dropped down.
bool InMenuMode(const Program &program)
{
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    return GetGUIThreadInfo(program.process.dwThreadId, &info) && (info.flags & GUI_INMENUMODE);
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

// Input reaches the program only after what was posted to it, so a Settle
// proves nothing about a key: every step below waits for its effect, and a
// step that must have none is followed by one that has. A click returns once
// the control has taken the mouse and let it go, so the next key or click
// cannot overtake it.
struct DialogTest : E2eTest {
    // Chooses the menu bar item and waits for the modal window it opens.
    HWND Open(int menu, int item, const char *caption)
    {
        HWND dialog = nullptr;
        EXPECT_TRUE(ChooseMenuBarItem(&program, menu, item));
        EXPECT_TRUE(WaitFor([&] {
            dialog = FindOwnedDialog(program, caption, program.window);
            return dialog != nullptr;
        })) << "\""
            << caption << "\" did not open";
        return dialog;
    }

    HWND OpenEditor()
    {
        return Open(FileMenu, IgnoreListItem, "Ignore List");
    }
    HWND OpenAbout()
    {
        return Open(HelpMenu, AboutItem, "About...");
    }

    // The dialog is gone and the main window takes input again.
    void ExpectClosed(HWND dialog)
    {
        EXPECT_TRUE(WaitFor([&] { return !IsWindow(dialog); })) << "the dialog stayed open";
        EXPECT_TRUE(WaitFor([&] { return IsWindowEnabled(program.window) != FALSE; }))
            << "the main window stayed disabled";
        EXPECT_FALSE(ProgramHasExited(&program));
    }

    void ExpectOpen(HWND dialog)
    {
        EXPECT_TRUE(IsWindow(dialog) && IsWindowVisible(dialog)) << "the dialog closed";
        EXPECT_FALSE(IsWindowEnabled(program.window)) << "the main window takes input";
    }

    // Without a window manager no caption is drawn to click; this is the
    // command that a click on the close box sends.
    void UseDialogCloseBox(HWND dialog)
    {
        ASSERT_TRUE(PostMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0));
    }

    // The three ways a user closes a dialog without an answer: its button
    // (Cancel, or the about box's OK), Esc, or the close box.
    enum CloseWay { ByButton, ByEscape, ByCloseBox };

    static const char *CloseWayName(CloseWay way)
    {
        return way == ByButton ? "button" : way == ByEscape ? "Esc" : "close box";
    }

    void CloseBy(HWND dialog, CloseWay way, int button)
    {
        switch (way) {
        case ByButton:
            Click(dialog, button);
            break;
        case ByEscape:
            ASSERT_TRUE(PressKeyIn(&program, dialog, VK_ESCAPE));
            break;
        case ByCloseBox:
            UseDialogCloseBox(dialog);
            break;
        }
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

    bool AddEnabled(HWND editor)
    {
        return IsWindowEnabled(GetDlgItem(editor, IDC_IGNORE_ADD));
    }

    void Click(HWND editor, int control)
    {
        ASSERT_TRUE(ClickControl(&program, GetDlgItem(editor, control)));
    }

    // Proves that the editor has handled all input so far: a character typed
    // into the edit (clicked first), seen there, and taken back.
    void InputFence(HWND editor)
    {
        std::string before = ControlText(editor, IDC_IGNORE_ENTRY);
        Click(editor, IDC_IGNORE_ENTRY);
        ASSERT_TRUE(PressKeyIn(&program, editor, VK_END));
        ASSERT_TRUE(TypeText(&program, editor, "z"));
        ExpectEditText(editor, before + "z");
        ASSERT_TRUE(PressKeyIn(&program, editor, VK_BACK));
        ExpectEditText(editor, before);
    }

    // Typed into the edit after a click on it, then added with "Add".
    void AddTyped(HWND editor, const std::string &entry)
    {
        size_t count = Entries(editor).size();
        Click(editor, IDC_IGNORE_ENTRY);
        ASSERT_TRUE(TypeText(&program, editor, entry));
        ExpectEditText(editor, entry);
        Click(editor, IDC_IGNORE_ADD);
        ExpectEditText(editor, "");
        EXPECT_TRUE(WaitFor([&] { return Entries(editor).size() == count + 1; }))
            << entry << " was not added";
    }

    // A click on the entry at `index` of the list box, which must be in view.
    void ClickEntry(HWND editor, int index)
    {
        HWND list = GetDlgItem(editor, IDC_IGNORE_ENTRIES);
        int height = (int)AskWindow(list, LB_GETITEMHEIGHT);
        int top = (int)AskWindow(list, LB_GETTOPINDEX);
        ASSERT_GT(height, 0);
        ASSERT_TRUE(ClickControlAt(&program, list, {6, (index - top) * height + height / 2}));
        EXPECT_TRUE(WaitFor([&] { return AskWindow(list, LB_GETCURSEL) == index; }))
            << "entry " << index << " was not selected";
    }

    void DeleteEntry(HWND editor, int index)
    {
        size_t count = Entries(editor).size();
        ClickEntry(editor, index);
        Click(editor, IDC_IGNORE_DELETE);
        EXPECT_TRUE(WaitFor([&] { return Entries(editor).size() + 1 == count; }))
            << "entry " << index << " was not deleted";
    }

    // Wine does not carry WM_GETICON (nor WM_QUERYDRAGICON) from another
    // process: the send fails without an error, for the main window too,
    // while the window answers every other message and the same send within
    // one process returns the icon. Where the send goes through, both icons
    // must be there; where it cannot, the check is said to be left out.
    void ExpectWindowIcons(HWND dialog)
    {
        DWORD_PTR small = 0, big = 0;
        if (!SendMessageTimeoutW(dialog, WM_GETICON, ICON_SMALL, 0, SMTO_NORMAL, CaseWaitLimit,
                                 &small)) {
            DWORD_PTR ignored = 0;
            ASSERT_TRUE(SendMessageTimeoutW(dialog, WM_NULL, 0, 0, SMTO_NORMAL, CaseWaitLimit,
                                            &ignored))
                << "the program does not answer";
            static bool told;
            if (!told)
                std::cout << "note: this system does not give the icons of another process's "
                             "windows; they are not checked\n";
            told = true;
            return;
        }
        EXPECT_TRUE(SendMessageTimeoutW(dialog, WM_GETICON, ICON_BIG, 0, SMTO_NORMAL,
                                        CaseWaitLimit, &big));
        EXPECT_NE(small, 0u) << "no small icon";
        EXPECT_NE(big, 0u) << "no big icon";
    }

    // Esc closes the system menu; under Wine the window then stays in menu
    // mode on the system menu's place, and a second Esc leaves it. Each Esc
    // waits for what it does.
    void LeaveSystemMenu(HWND dialog)
    {
        ASSERT_TRUE(PressKeyIn(&program, dialog, VK_ESCAPE));
        ASSERT_TRUE(WaitFor([&] { return !ContextMenuOpen(program); })) << "the menu stayed";
        // The Esc that closed the menu has been handled, and menu mode left
        // with it if it was to be.
        ASSERT_TRUE(Settle(&program));
        if (InMenuMode(program)) {
            ASSERT_TRUE(PressKeyIn(&program, dialog, VK_ESCAPE));
        }
        ASSERT_TRUE(WaitFor([&] { return !InMenuMode(program); })) << "still in menu mode";
    }
};

typedef DialogTest IgnoreListEditorTest;
typedef DialogTest ManualTest;
typedef DialogTest AboutBoxTest;

TEST_F(IgnoreListEditorTest, AddIsEnabledOnlyWhileTheEditHoldsText)
{
    ASSERT_TRUE(StartProgram(&program, game));
    HWND editor = OpenEditor();
    ASSERT_TRUE(editor);
    ExpectOpen(editor);
    ExpectWindowIcons(editor);
    EXPECT_TRUE(Entries(editor).empty());
    EXPECT_FALSE(AddEnabled(editor));

    Click(editor, IDC_IGNORE_ENTRY);
    ASSERT_TRUE(TypeText(&program, editor, "m"));
    ExpectEditText(editor, "m");
    EXPECT_TRUE(AddEnabled(editor));
    ASSERT_TRUE(PressKeyIn(&program, editor, VK_BACK));
    ExpectEditText(editor, "");
    EXPECT_FALSE(AddEnabled(editor));

    ASSERT_TRUE(TypeText(&program, editor, "mod.iwd"));
    ExpectEditText(editor, "mod.iwd");
    EXPECT_TRUE(AddEnabled(editor));
    // Enter is no command of the editor: nothing is added and it stays open.
    ASSERT_TRUE(PressKeyIn(&program, editor, VK_RETURN));
    InputFence(editor);
    ExpectOpen(editor);
    EXPECT_TRUE(Entries(editor).empty());
    EXPECT_EQ(ControlText(editor, IDC_IGNORE_ENTRY), "mod.iwd");

    Click(editor, IDC_IGNORE_ADD);
    ExpectEntries(editor, {"mod.iwd"});
    ExpectEditText(editor, "");
    EXPECT_FALSE(AddEnabled(editor));

    Click(editor, IDC_IGNORE_CANCEL);
    ExpectClosed(editor);
    EXPECT_EQ(ReadWholeFile(game.ignoreFile), "");
    ExpectNoMessageBox();
}

TEST_F(IgnoreListEditorTest, EntriesGoInAsTypedAndDuplicatesAreKeptAndSaved)
{
    WriteIgnoreList("dup.iwd\n");
    ASSERT_TRUE(StartProgram(&program, game));
    HWND editor = OpenEditor();
    ASSERT_TRUE(editor);
    EXPECT_EQ(Entries(editor), (std::vector<std::string>{"dup.iwd"}));

    AddTyped(editor, "dup.iwd");
    AddTyped(editor, "base");
    ExpectEntries(editor, {"base", "dup.iwd", "dup.iwd"});

    // Only what the file cannot hold as one line is refused (set into the
    // edit as a paste would), with a message; it stays in the edit.
    for (const char *pasted : {"bad\x1A.iwd", "two\nlines.iwd"}) {
        SCOPED_TRACE(pasted);
        ASSERT_TRUE(SendMessageTimeoutA(GetDlgItem(editor, IDC_IGNORE_ENTRY), WM_SETTEXT, 0,
                                        (LPARAM)pasted, SMTO_NORMAL, CaseWaitLimit, nullptr));
        Click(editor, IDC_IGNORE_ADD);
        ShownMessageBox box;
        ASSERT_TRUE(WaitFor([&] { return FindMessageBoxOwnedBy(&program, editor, &box); }))
            << "no message";
        EXPECT_EQ(box.caption, "Quillmoor MM - Error");
        EXPECT_EQ(box.text, EntryRefused);
        ASSERT_TRUE(AnswerMessageBox(&program, box, IDOK));
        ExpectEditText(editor, pasted);
        ExpectEntries(editor, {"base", "dup.iwd", "dup.iwd"});
    }

    Click(editor, IDC_IGNORE_SAVE);
    ExpectClosed(editor);
    ExpectNoMessageBox();
    EXPECT_EQ(ReadWholeFile(game.ignoreFile), "base\ndup.iwd\ndup.iwd\n");
}

TEST_F(IgnoreListEditorTest, EntriesAddedOutOfOrderAreShownAndSavedSorted)
{
    WriteIgnoreList("zeta.iwd\r\nmid.iwd\r\n");
    AddInstalled("alpha.iwd", 1);
    AddInstalled("mid.iwd", 2);
    ASSERT_TRUE(StartProgram(&program, game));
    HWND editor = OpenEditor();
    ASSERT_TRUE(editor);
    EXPECT_EQ(Entries(editor), (std::vector<std::string>{"mid.iwd", "zeta.iwd"}));

    for (const char *entry : {"omega.iwd", "alpha.iwd", "beta.iwd"})
        AddTyped(editor, entry);
    const std::vector<std::string> sorted = {"alpha.iwd", "beta.iwd", "mid.iwd", "omega.iwd",
                                             "zeta.iwd"};
    ExpectEntries(editor, sorted);

    Click(editor, IDC_IGNORE_SAVE);
    ExpectClosed(editor);
    ExpectNoMessageBox();
    EXPECT_EQ(ReadWholeFile(game.ignoreFile),
              "alpha.iwd\nbeta.iwd\nmid.iwd\nomega.iwd\nzeta.iwd\n");

    // A save rescans nothing; the editor reopens on what was saved.
    ExpectLists({{"alpha.iwd", "1B"}}, {});
    editor = OpenEditor();
    ASSERT_TRUE(editor);
    EXPECT_EQ(Entries(editor), sorted);
    Click(editor, IDC_IGNORE_CANCEL);
    ExpectClosed(editor);
}

TEST_F(IgnoreListEditorTest, ClosingWithoutSavingLeavesTheFileAsItWas)
{
    // Unsorted, with carriage returns, an empty line and no final line feed:
    // a save would change every one of these.
    const std::string original = "b.iwd\r\na.iwd\r\n\r\nlast.iwd";
    WriteIgnoreList(original);
    ASSERT_TRUE(StartProgram(&program, game));

    for (CloseWay way : {ByButton, ByEscape, ByCloseBox}) {
        SCOPED_TRACE(CloseWayName(way));
        HWND editor = OpenEditor();
        ASSERT_TRUE(editor);
        EXPECT_EQ(Entries(editor),
                  (std::vector<std::string>{"", "a.iwd", "b.iwd", "last.iwd"}));
        AddTyped(editor, "new.iwd");
        DeleteEntry(editor, 1);
        ExpectEntries(editor, {"", "b.iwd", "last.iwd", "new.iwd"});

        CloseBy(editor, way, IDC_IGNORE_CANCEL);
        ExpectClosed(editor);
        ExpectNoMessageBox();
        EXPECT_EQ(ReadWholeFile(game.ignoreFile), original);
    }
}

TEST_F(IgnoreListEditorTest, DeletingEveryEntrySavesAnEmptyFile)
{
    WriteIgnoreList("a.iwd\nb.iwd\n");
    ASSERT_TRUE(StartProgram(&program, game));
    HWND editor = OpenEditor();
    ASSERT_TRUE(editor);

    // With no entry selected, Delete changes nothing.
    ASSERT_EQ(AskWindow(GetDlgItem(editor, IDC_IGNORE_ENTRIES), LB_GETCURSEL), LB_ERR);
    Click(editor, IDC_IGNORE_DELETE);
    InputFence(editor);
    EXPECT_EQ(Entries(editor), (std::vector<std::string>{"a.iwd", "b.iwd"}));

    DeleteEntry(editor, 1);
    ExpectEntries(editor, {"a.iwd"});
    DeleteEntry(editor, 0);
    ExpectEntries(editor, {});

    Click(editor, IDC_IGNORE_SAVE);
    ExpectClosed(editor);
    ExpectNoMessageBox();
    EXPECT_TRUE(PathExists(game.ignoreFile));
    EXPECT_EQ(ReadWholeFile(game.ignoreFile), "");
}

TEST_F(IgnoreListEditorTest, LongLinesComeBackAsTheStoreReadsThemAndTypingStopsAt254)
{
    // 300 characters read as 254 and 46; a line of exactly 254 as the entry
    // and an empty one after it.
    const std::string q300(300, 'q'), r254(254, 'r'), s254(254, 's');
    WriteIgnoreList(q300 + "\n" + r254 + "\n");
    ASSERT_TRUE(StartProgram(&program, game));
    HWND editor = OpenEditor();
    ASSERT_TRUE(editor);
    std::vector<std::string> entries = Entries(editor);
    std::sort(entries.begin(), entries.end());
    EXPECT_EQ(entries, (std::vector<std::string>{"", std::string(46, 'q'),
                                                 std::string(254, 'q'), r254}));

    // The edit takes 254 characters; the keys after them change nothing.
    Click(editor, IDC_IGNORE_ENTRY);
    ASSERT_TRUE(TypeText(&program, editor, s254));
    ExpectEditText(editor, s254);
    ASSERT_TRUE(TypeText(&program, editor, "ssssss"));
    ASSERT_TRUE(PressKeyIn(&program, editor, VK_HOME));
    HWND edit = GetDlgItem(editor, IDC_IGNORE_ENTRY);
    EXPECT_TRUE(WaitFor([&] { return AskWindow(edit, EM_GETSEL) == 0; }))
        << "Home did not arrive";
    EXPECT_EQ(ControlText(editor, IDC_IGNORE_ENTRY), s254);
    Click(editor, IDC_IGNORE_ADD);
    ExpectEditText(editor, "");
    entries = Entries(editor);
    EXPECT_EQ(std::count(entries.begin(), entries.end(), s254), 1);

    Click(editor, IDC_IGNORE_CANCEL);
    ExpectClosed(editor);
    EXPECT_EQ(ReadWholeFile(game.ignoreFile), q300 + "\n" + r254 + "\n");
}

TEST_F(IgnoreListEditorTest, WithoutTheFileTheEditorSaysSoAndCloses)
{
    ASSERT_TRUE(DeleteFileA(game.ignoreFile.c_str()));
    ASSERT_TRUE(StartProgram(&program, game));
    ASSERT_TRUE(ChooseMenuBarItem(&program, FileMenu, IgnoreListItem));

    // The message comes while the editor is being set up, owned by it; the
    // editor is not shown yet then.
    HWND editor = nullptr;
    ASSERT_TRUE(WaitFor([&] {
        for (HWND candidate = nullptr;
             (candidate = FindWindowExA(nullptr, candidate, "#32770", "Ignore List"));) {
            if (FindOwnedDialog(program, "Quillmoor MM - Error", candidate)) {
                editor = candidate;
                return true;
            }
        }
        return false;
    })) << "no message box owned by the editor";
    ShownMessageBox box;
    EXPECT_EQ(GetWindow(editor, GW_OWNER), program.window);
    ASSERT_TRUE(FindMessageBoxOwnedBy(&program, editor, &box));
    EXPECT_EQ(box.caption, "Quillmoor MM - Error");
    EXPECT_EQ(box.text, LoadFailure);
    EXPECT_EQ(box.buttons, (std::vector<int>{IDOK}));

    ASSERT_TRUE(AnswerMessageBox(&program, box, IDOK));
    ExpectClosed(editor);
    ExpectNoMessageBox();
    EXPECT_FALSE(PathExists(game.ignoreFile));
}

TEST_F(ManualTest, AManualFolderWithoutItsIndexIsReported)
{
    ASSERT_TRUE(EnsureFolder(JoinPath(game.programFolder, "manual")));
    ASSERT_TRUE(StartProgram(&program, game));
    ASSERT_TRUE(ChooseMenuBarItem(&program, HelpMenu, ManualItem));

    ShownMessageBox box;
    ASSERT_TRUE(WaitFor([&] { return FindMessageBox(&program, &box); })) << "no message box";
    EXPECT_EQ(box.caption, "Quillmoor MM - Error");
    EXPECT_EQ(box.text, ManualMissing);
    EXPECT_EQ(box.buttons, (std::vector<int>{IDOK}));
    ASSERT_TRUE(AnswerMessageBox(&program, box, IDOK));

    ExpectNoMessageBox();
    EXPECT_FALSE(ProgramHasExited(&program));
    EXPECT_TRUE(IsWindowEnabled(program.window));
}

TEST_F(AboutBoxTest, ShowsTheAboutTextAndTheIcon)
{
    ASSERT_TRUE(StartProgram(&program, game));
    HWND about = OpenAbout();
    ASSERT_TRUE(about);
    ExpectOpen(about);
    ExpectWindowIcons(about);
    EXPECT_NE(AskWindow(GetDlgItem(about, IDC_ABOUT_ICON), STM_GETICON), 0) << "no icon shown";

    const std::string text = ControlText(about, IDC_ABOUT_TEXT);
    const std::vector<std::string> lines = SplitLines(text);
    ASSERT_EQ(lines.size(), 6u) << text;
    EXPECT_EQ(lines[0], "Quillmoor Mod Manager");
    EXPECT_EQ(lines[1], "Version: 0.1B RC1");
    EXPECT_EQ(lines[2], "");
    ASSERT_EQ(lines[3].compare(0, 7, "Built: "), 0) << lines[3];
    EXPECT_TRUE(IsBuildTimeForm(lines[3].substr(7))) << lines[3];
    EXPECT_EQ(lines[4], "");
    EXPECT_EQ(lines[5], "Please refer to the readme or the manual for additional information.");

    Click(about, IDC_ABOUT_OK);
    ExpectClosed(about);
    ExpectNoMessageBox();
}

TEST_F(AboutBoxTest, ClosesByOkEscOrTheCloseBoxButNotByEnter)
{
    ASSERT_TRUE(StartProgram(&program, game));
    for (CloseWay way : {ByButton, ByEscape, ByCloseBox}) {
        SCOPED_TRACE(CloseWayName(way));
        HWND about = OpenAbout();
        ASSERT_TRUE(about);

        // Enter, then the system menu: once it is open, Enter has been
        // handled. Esc then closes only the menu.
        ASSERT_TRUE(PressKeyIn(&program, about, VK_RETURN));
        ASSERT_TRUE(PressChord(VK_MENU, VK_SPACE));
        ASSERT_TRUE(WaitFor([&] { return ContextMenuOpen(program); })) << "no system menu";
        ExpectOpen(about);
        ASSERT_NO_FATAL_FAILURE(LeaveSystemMenu(about));
        ExpectOpen(about);

        CloseBy(about, way, IDC_ABOUT_OK);
        ExpectClosed(about);
    }
    ExpectNoMessageBox();
}

} // namespace
