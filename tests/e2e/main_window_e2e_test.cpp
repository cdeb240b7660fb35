// The main window as a user meets it: the lists at start-up, the ignore list's
// effect, the context menus, "Scan", and the ways to end the program. Most
// cases are scripts of the steps of case_script.h.
#include "case_script.h"
#include "e2e_harness.h"
#include "resource.h"

#include <gtest/gtest.h>

namespace {

typedef E2eTest MainWindowTest;

// The rows of the table are laid out by hand, one to a line where it fits.
// clang-format off
const bool Registered = RegisterScriptedSuites({
    {"MainWindowTest", "StartUpListsBothFoldersWithSizesFullPathsAndCounts",
     "add main 0 alpha.iwd | add main 1025 Beta.IWD | add main 1048577 gamma.iwd"
     " | add main 5 readme.txt | add main 5 alpha.iwd.bak | add mods 1024 delta.iwd"
     " | add mods 3000 epsilon.iwd | add mods 1073741825 huge.iwd | start"
     " | lists alpha.iwd 0B, Beta.IWD 1KB, gamma.iwd 1MB"
     " / delta.iwd 1024B, epsilon.iwd 2KB, huge.iwd 1GB | quiet"},
    {"MainWindowTest", "EmptyAndMissingFoldersShowNoRowsAndZero",
     "rmdir mods | start | lists /"},
    {"MainWindowTest", "TheIgnoreListHidesItsNamesFromTheInstalledListOnly",
     "ignore hidden.iwd\nalso-hidden.iwd\n | add main 10 hidden.iwd | add main 20 "
     "also-hidden.iwd"
     " | add main 30 shown.iwd | add mods 40 hidden.iwd | start"
     " | lists shown.iwd 30B / hidden.iwd 40B | ignore-is hidden.iwd\nalso-hidden.iwd\n"},
    {"MainWindowTest", "AContextMenuOpensOnEitherListWithNothingRecorded",
     "add main 1 a.iwd | add mods 2 b.iwd | start | unfocused main | unfocused mods"
     " | menu main | dismiss | menu mods | dismiss | quiet | lists a.iwd 1B / b.iwd 2B"},

    // "Scan" rescans only the list whose menu it was chosen from.
    {"EachList/ScanTest", "ScanOnOneListLeavesTheOtherAlone",
     "add main 1 old-main.iwd | add mods 2 old-mods.iwd | start | add main 3 new-main.iwd"
     " | add mods 4 new-mods.iwd | menu $1 | Scan | quiet | lists $2",
     {{"Installed", {"main", "old-main.iwd 1B, new-main.iwd 3B / old-mods.iwd 2B"}},
      {"Available", {"mods", "old-main.iwd 1B / old-mods.iwd 2B, new-mods.iwd 4B"}}}},

    // Every way out ends the program with exit code 0 and leaves the files
    // alone.
    {"EachWay/EndingTest", "EndsTheProgramWithExitCodeZero",
     "ignore skip.iwd\n | add main 1 a.iwd | add main 2 skip.iwd | add mods 3 b.iwd | start"
     " | mark | $1 | exits | same | ignore-is skip.iwd\n",
     {{"Esc", {"press esc"}},
      {"FileExit", {"file-exit"}},
      {"CloseBox", {"close-box"}},
      {"SystemMenu", {"system-menu"}},
      {"AltF4", {"press alt-f4"}}}},

    // Input is handled in order: once the menu of a later right click is
    // open, Enter has been handled, and anything it posted too.
    {"MainWindowTest", "EnterDoesNotCloseTheWindow",
     "add main 1 a.iwd | start | press enter | menu main | dismiss | running"
     " | lists a.iwd 1B / | press esc | exits"},
});
// clang-format on

TEST_F(MainWindowTest, BothListsHaveTheirColumns)
{
    ASSERT_TRUE(StartProgram(&program, game));
    for (int list : {IDC_INSTALLED_LIST, IDC_AVAILABLE_LIST}) {
        SCOPED_TRACE(list);
        RECT client;
        ASSERT_TRUE(GetClientRect(ListWindow(program, list), &client));
        const struct {
            const char *header;
            int width;
        } columns[] = {{"Name", 175}, {"Filesize", 75}, {"Full Path", client.right - 250}};
        for (int column = 0; column < 3; ++column) {
            std::string header;
            int width = 0;
            ASSERT_TRUE(ReadColumn(&program, list, column, &header, &width));
            EXPECT_EQ(header, columns[column].header);
            EXPECT_EQ(width, columns[column].width) << header;
        }
    }
}

} // namespace
