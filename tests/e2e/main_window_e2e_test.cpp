// The main window as a user meets it: the lists at start-up, the ignore list's
// effect, the context menus, "Scan", and the ways to end the program.
#include "e2e_harness.h"
#include "resource.h"

#include <gtest/gtest.h>

#include <ostream>

namespace {

typedef E2eTest MainWindowTest;

TEST_F(MainWindowTest, StartUpListsBothFoldersWithSizesFullPathsAndCounts)
{
    AddInstalled("alpha.iwd", 0);
    AddInstalled("Beta.IWD", 1025);
    AddInstalled("gamma.iwd", 1048577);
    AddInstalled("readme.txt", 5);
    AddInstalled("alpha.iwd.bak", 5);
    AddAvailable("delta.iwd", 1024);
    AddAvailable("epsilon.iwd", 3000);
    AddAvailable("huge.iwd", 1073741825);
    ASSERT_TRUE(StartProgram(&program, game));

    ExpectLists({{"alpha.iwd", "0B"}, {"Beta.IWD", "1KB"}, {"gamma.iwd", "1MB"}},
                {{"delta.iwd", "1024B"}, {"epsilon.iwd", "2KB"}, {"huge.iwd", "1GB"}});
    ExpectNoMessageBox();
}

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

TEST_F(MainWindowTest, EmptyAndMissingFoldersShowNoRowsAndZero)
{
    ASSERT_TRUE(RemoveDirectoryA(game.modsFolder.c_str()));
    ASSERT_TRUE(StartProgram(&program, game));
    ExpectLists({}, {});
}

TEST_F(MainWindowTest, TheIgnoreListHidesItsNamesFromTheInstalledListOnly)
{
    const std::string ignoreText = "hidden.iwd\nalso-hidden.iwd\n";
    WriteIgnoreList(ignoreText);
    AddInstalled("hidden.iwd", 10);
    AddInstalled("also-hidden.iwd", 20);
    AddInstalled("shown.iwd", 30);
    AddAvailable("hidden.iwd", 40);
    ASSERT_TRUE(StartProgram(&program, game));

    ExpectLists({{"shown.iwd", "30B"}}, {{"hidden.iwd", "40B"}});
    EXPECT_EQ(ReadWholeFile(game.ignoreFile), ignoreText);
}

TEST_F(MainWindowTest, AContextMenuOpensOnEitherListWithNothingRecorded)
{
    AddInstalled("a.iwd", 1);
    AddAvailable("b.iwd", 2);
    ASSERT_TRUE(StartProgram(&program, game));
    ExpectNoFocusedRow(IDC_INSTALLED_LIST);
    ExpectNoFocusedRow(IDC_AVAILABLE_LIST);

    for (int list : {IDC_INSTALLED_LIST, IDC_AVAILABLE_LIST}) {
        SCOPED_TRACE(list);
        ASSERT_TRUE(RightClickEmpty(&program, list));
        ASSERT_TRUE(DismissMenu(&program));
    }
    ExpectNoMessageBox();
    ExpectLists({{"a.iwd", "1B"}}, {{"b.iwd", "2B"}});
}

// "Scan" rescans only the list whose menu it was chosen from.
struct ScanCase : LabelledCase {
    int scanned;
};

struct ScanTest : E2eTest, ::testing::WithParamInterface<ScanCase> {};

TEST_P(ScanTest, ScanOnOneListLeavesTheOtherAlone)
{
    AddInstalled("old-main.iwd", 1);
    AddAvailable("old-mods.iwd", 2);
    ASSERT_TRUE(StartProgram(&program, game));
    // Behind the program's back.
    AddInstalled("new-main.iwd", 3);
    AddAvailable("new-mods.iwd", 4);

    ASSERT_TRUE(RightClickEmpty(&program, GetParam().scanned));
    ASSERT_TRUE(ChooseMenuItem(&program, ScanCommand));
    ExpectNoMessageBox();

    std::vector<ListedMod> oldInstalled = {{"old-main.iwd", "1B"}};
    std::vector<ListedMod> newInstalled = {{"old-main.iwd", "1B"}, {"new-main.iwd", "3B"}};
    std::vector<ListedMod> oldAvailable = {{"old-mods.iwd", "2B"}};
    std::vector<ListedMod> newAvailable = {{"old-mods.iwd", "2B"}, {"new-mods.iwd", "4B"}};
    if (GetParam().scanned == IDC_INSTALLED_LIST)
        ExpectLists(newInstalled, oldAvailable);
    else
        ExpectLists(oldInstalled, newAvailable);
}

INSTANTIATE_TEST_SUITE_P(EachList, ScanTest,
                         ::testing::Values(ScanCase{"Installed", IDC_INSTALLED_LIST},
                                           ScanCase{"Available", IDC_AVAILABLE_LIST}),
                         ByLabel());

// Every way out ends the program with exit code 0 and leaves the files alone.
enum Ending { EscKey, FileExit, CloseBox, SystemMenu, AltF4 };

struct EndingCase : LabelledCase {
    Ending ending;
};

struct EndingTest : E2eTest, ::testing::WithParamInterface<EndingCase> {};

TEST_P(EndingTest, EndsTheProgramWithExitCodeZero)
{
    const std::string ignoreText = "skip.iwd\n";
    WriteIgnoreList(ignoreText);
    AddInstalled("a.iwd", 1);
    AddInstalled("skip.iwd", 2);
    AddAvailable("b.iwd", 3);
    ASSERT_TRUE(StartProgram(&program, game));
    std::vector<std::string> installedBefore = NamesAndSizes(game.mainFolder);
    std::vector<std::string> availableBefore = NamesAndSizes(game.modsFolder);

    switch (GetParam().ending) {
    case EscKey:
        ASSERT_TRUE(PressKey(&program, VK_ESCAPE));
        break;
    case FileExit:
        ASSERT_TRUE(ChooseFileExit(&program));
        break;
    case CloseBox:
        ASSERT_TRUE(UseCloseBox(&program));
        break;
    case SystemMenu:
        ASSERT_TRUE(ChooseSystemMenuClose(&program));
        break;
    case AltF4:
        ASSERT_TRUE(PressAltChord(&program, VK_F4));
        break;
    }
    DWORD code = 1234;
    ASSERT_TRUE(WaitForExit(&program, &code));
    EXPECT_EQ(code, 0u);
    EXPECT_EQ(NamesAndSizes(game.mainFolder), installedBefore);
    EXPECT_EQ(NamesAndSizes(game.modsFolder), availableBefore);
    EXPECT_EQ(ReadWholeFile(game.ignoreFile), ignoreText);
}

INSTANTIATE_TEST_SUITE_P(EachWay, EndingTest,
                         ::testing::Values(EndingCase{"Esc", EscKey},
                                           EndingCase{"FileExit", FileExit},
                                           EndingCase{"CloseBox", CloseBox},
                                           EndingCase{"SystemMenu", SystemMenu},
                                           EndingCase{"AltF4", AltF4}),
                         ByLabel());

TEST_F(MainWindowTest, EnterDoesNotCloseTheWindow)
{
    AddInstalled("a.iwd", 1);
    ASSERT_TRUE(StartProgram(&program, game));

    ASSERT_TRUE(PressKey(&program, VK_RETURN));
    // Input is handled in order: once the menu of a later right click is
    // open, Enter has been handled, and anything it posted too.
    ASSERT_TRUE(RightClickEmpty(&program, IDC_INSTALLED_LIST));
    ASSERT_TRUE(DismissMenu(&program));
    EXPECT_FALSE(ProgramHasExited(&program));
    EXPECT_TRUE(IsWindowVisible(program.window));
    ExpectLists({{"a.iwd", "1B"}}, {});

    ASSERT_TRUE(PressKey(&program, VK_ESCAPE));
    DWORD code = 1234;
    ASSERT_TRUE(WaitForExit(&program, &code));
    EXPECT_EQ(code, 0u);
}

} // namespace
