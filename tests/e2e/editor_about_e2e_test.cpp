// The ignore-list editor, the manual command and the about box, opened from
// the menu bar and worked with real typing and clicks: what they show, what
// reaches "ignore.list", and how each of them closes.
#include "case_script.h"
#include "dialogs.h"
#include "e2e_harness.h"
#include "resource.h"
#include "text_lines.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string.h>

namespace {

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

typedef E2eTest IgnoreListEditorTest;
typedef E2eTest AboutBoxTest;

// The editor opened on an unsorted list with carriage returns, an empty
// line and no final line feed (a save would change every one of these),
// worked, and closed without saving by `way`.
#define EDIT_AND_CLOSE_BY(way)                                                                 \
    " | open editor | entries , a.iwd, b.iwd, last.iwd | add-typed new.iwd | delete-entry 1"   \
    " | entries , b.iwd, last.iwd, new.iwd | " way " | closed | quiet"                         \
    " | ignore-is b.iwd\r\na.iwd\r\n\r\nlast.iwd"
// The about box takes no Enter: Enter, then the system menu; once it is
// open, Enter has been handled. Esc then closes only the menu.
#define ABOUT_CLOSED_BY(way)                                                                   \
    " | open about | key enter | alt-space | shown | leave-system-menu | shown | " way         \
    " | closed"

const bool Registered = RegisterScriptedSuites({
    // Enter is no command of the editor: nothing is added and it stays open.
    {"IgnoreListEditorTest", "AddIsEnabledOnlyWhileTheEditHoldsText",
     "start | open editor | shown | icons | entries | add-enabled no | button entry | type m"
     " | edit-is m | add-enabled yes | key back | edit-is | add-enabled no | type mod.iwd"
     " | edit-is mod.iwd | add-enabled yes | key enter | fence | shown | entries"
     " | edit-is mod.iwd | button add | entries mod.iwd | edit-is | add-enabled no"
     " | button cancel | closed | ignore-is | quiet"},
    // Only what the file cannot hold as one line is refused (set into the
    // edit as a paste would), with a message; it stays in the edit.
    {"IgnoreListEditorTest", "EntriesGoInAsTypedAndDuplicatesAreKeptAndSaved",
     "ignore dup.iwd\n | start | open editor | entries dup.iwd | add-typed dup.iwd"
     " | add-typed base | entries base, dup.iwd, dup.iwd | paste bad\x1A.iwd | button add"
     " | refused | edit-is bad\x1A.iwd | entries base, dup.iwd, dup.iwd"
     " | paste two\nlines.iwd | button add | refused | edit-is two\nlines.iwd"
     " | entries base, dup.iwd, dup.iwd | button save | closed | quiet"
     " | ignore-is base\ndup.iwd\ndup.iwd\n"},
    // A save rescans nothing; the editor reopens on what was saved.
    {"IgnoreListEditorTest", "EntriesAddedOutOfOrderAreShownAndSavedSorted",
     "ignore zeta.iwd\r\nmid.iwd\r\n | add main 1 alpha.iwd | add main 2 mid.iwd | start"
     " | open editor | entries mid.iwd, zeta.iwd | add-typed omega.iwd | add-typed alpha.iwd"
     " | add-typed beta.iwd | entries alpha.iwd, beta.iwd, mid.iwd, omega.iwd, zeta.iwd"
     " | button save | closed | quiet | ignore-is "
     "alpha.iwd\nbeta.iwd\nmid.iwd\nomega.iwd\nzeta.iwd\n"
     " | lists alpha.iwd 1B / | open editor"
     " | entries alpha.iwd, beta.iwd, mid.iwd, omega.iwd, zeta.iwd | button cancel | closed"},
    {"IgnoreListEditorTest", "ClosingWithoutSavingLeavesTheFileAsItWas",
     "ignore b.iwd\r\na.iwd\r\n\r\nlast.iwd | start" EDIT_AND_CLOSE_BY("button cancel")
         EDIT_AND_CLOSE_BY("key esc") EDIT_AND_CLOSE_BY("dialog-close-box")},
    // With no entry selected, Delete changes nothing.
    {"IgnoreListEditorTest", "DeletingEveryEntrySavesAnEmptyFile",
     "ignore a.iwd\nb.iwd\n | start | open editor | no-selection | button delete | fence"
     " | entries a.iwd, b.iwd | delete-entry 1 | entries a.iwd | delete-entry 0 | entries"
     " | button save | closed | quiet | ignore-is"},
    {"IgnoreListEditorTest", "WithoutTheFileTheEditorSaysSoAndCloses",
     "remove-ignore | start | editor-cannot-load | no-ignore"},
    {"ManualTest", "AManualFolderWithoutItsIndexIsReported",
     "manual-folder | start | manual | message Cannot find manual, should be in the same "
     "directory as this. (.\\manual\\).\nReinstalling Quillmoor MM might fix this problem."
     " | quiet | running"},
    {"AboutBoxTest", "ClosesByOkEscOrTheCloseBoxButNotByEnter",
     "start" ABOUT_CLOSED_BY("button ok") ABOUT_CLOSED_BY("key esc")
         ABOUT_CLOSED_BY("dialog-close-box") " | quiet"},
});

TEST_F(IgnoreListEditorTest, LongLinesComeBackAsTheStoreReadsThemAndTypingStopsAt254)
{
    // 300 characters read as 254 and 46; a line of exactly 254 as the entry
    // and an empty one after it.
    const std::string q300(300, 'q'), r254(254, 'r'), s254(254, 's');
    WriteIgnoreList(q300 + "\n" + r254 + "\n");
    ASSERT_TRUE(StartProgram(&program, game));
    HWND editor = OpenDialog(&program, FileMenu, IgnoreListItem, "Ignore List");
    ASSERT_TRUE(editor);
    std::vector<std::string> entries = Entries(editor);
    std::sort(entries.begin(), entries.end());
    EXPECT_EQ(entries, (std::vector<std::string>{"", std::string(46, 'q'),
                                                 std::string(254, 'q'), r254}));

    // The edit takes 254 characters; the keys after them change nothing.
    ClickIn(&program, editor, IDC_IGNORE_ENTRY);
    ASSERT_TRUE(TypeText(&program, editor, s254));
    ExpectEditText(editor, s254);
    ASSERT_TRUE(TypeText(&program, editor, "ssssss"));
    ASSERT_TRUE(PressKeyIn(&program, editor, VK_HOME));
    HWND edit = GetDlgItem(editor, IDC_IGNORE_ENTRY);
    EXPECT_TRUE(WaitFor([&] { return AskWindow(edit, EM_GETSEL) == 0; }))
        << "Home did not arrive";
    EXPECT_EQ(ControlText(editor, IDC_IGNORE_ENTRY), s254);
    ClickIn(&program, editor, IDC_IGNORE_ADD);
    ExpectEditText(editor, "");
    entries = Entries(editor);
    EXPECT_EQ(std::count(entries.begin(), entries.end(), s254), 1);

    ClickIn(&program, editor, IDC_IGNORE_CANCEL);
    ExpectDialogClosed(&program, editor);
    EXPECT_EQ(ReadWholeFile(game.ignoreFile), q300 + "\n" + r254 + "\n");
}

TEST_F(AboutBoxTest, ShowsTheAboutTextAndTheIcon)
{
    ASSERT_TRUE(StartProgram(&program, game));
    HWND about = OpenDialog(&program, HelpMenu, AboutItem, "About...");
    ASSERT_TRUE(about);
    ExpectDialogOpen(&program, about);
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

    ClickIn(&program, about, IDC_ABOUT_OK);
    ExpectDialogClosed(&program, about);
    ExpectNoMessageBox();
}

} // namespace
