// Install, uninstall and delete as a user does them, through the lists'
// context menus: the lists, counts and files after each, the failure
// messages, the fresh click each operation needs, and the rows that must
// never be acted on.
#include "e2e_harness.h"
#include "resource.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>

namespace {

typedef E2eTest ModOperationsTest;

const char DeleteQuestion[] =
    "If you delete this mod it will no longer be available.\nContinue?";

TEST_F(ModOperationsTest, InstallMovesTheClickedRowIntoTheInstalledList)
{
    AddInstalled("base.iwd", 10);
    AddAvailable("a.iwd", 2000);
    AddAvailable("b.iwd", 20);
    ASSERT_TRUE(StartProgram(&program, game));

    // A click records the row; the right click on the list's empty part
    // opens its menu on the row that has the focus.
    ASSERT_TRUE(ClickRow(&program, IDC_AVAILABLE_LIST, "a.iwd"));
    ASSERT_TRUE(RightClickEmpty(&program, IDC_AVAILABLE_LIST));
    ASSERT_TRUE(ChooseMenuItem(&program, InstallCommand));
    ExpectNoMessageBox();
    // One right click, one menu: the list's own request for a menu that
    // follows it opens none.
    EXPECT_FALSE(ContextMenuOpen(program)) << "a second menu opened";

    ExpectLists({{"base.iwd", "10B"}, {"a.iwd", "1KB"}}, {{"b.iwd", "20B"}});
    EXPECT_EQ(NamesAndSizes(game.mainFolder),
              (std::vector<std::string>{"a.iwd 2000", "base.iwd 10"}));
    EXPECT_EQ(NamesAndSizes(game.modsFolder), (std::vector<std::string>{"b.iwd 20"}));
}

TEST_F(ModOperationsTest, InstallingAnIgnoredNameLeavesItInNeitherList)
{
    WriteIgnoreList("hidden.iwd\n");
    AddAvailable("hidden.iwd", 5);
    AddAvailable("keep.iwd", 6);
    ASSERT_TRUE(StartProgram(&program, game));

    ASSERT_TRUE(RightClickRow(&program, IDC_AVAILABLE_LIST, "hidden.iwd"));
    ASSERT_TRUE(ChooseMenuItem(&program, InstallCommand));
    ExpectNoMessageBox();

    ExpectLists({}, {{"keep.iwd", "6B"}});
    EXPECT_TRUE(PathExists(JoinPath(game.mainFolder, "hidden.iwd")));
    EXPECT_FALSE(PathExists(JoinPath(game.modsFolder, "hidden.iwd")));
}

TEST_F(ModOperationsTest, UninstallMovesTheRowBackToTheAvailableList)
{
    AddInstalled("x.iwd", 100);
    AddInstalled("y.iwd", 200);
    AddAvailable("z.iwd", 300);
    ASSERT_TRUE(StartProgram(&program, game));

    ASSERT_TRUE(RightClickRow(&program, IDC_INSTALLED_LIST, "x.iwd"));
    ASSERT_TRUE(ChooseMenuItem(&program, UninstallCommand));
    ExpectNoMessageBox();

    ExpectLists({{"y.iwd", "200B"}}, {{"z.iwd", "300B"}, {"x.iwd", "100B"}});
    EXPECT_EQ(NamesAndSizes(game.mainFolder), (std::vector<std::string>{"y.iwd 200"}));
    EXPECT_EQ(NamesAndSizes(game.modsFolder),
              (std::vector<std::string>{"x.iwd 100", "z.iwd 300"}));
}

// Delete asks first; Yes deletes the file and removes its row, No changes
// nothing. The other list is never touched.
struct DeleteCase : LabelledCase {
    int list;
    int answer;
};

struct DeleteTest : E2eTest, ::testing::WithParamInterface<DeleteCase> {};

TEST_P(DeleteTest, AsksAndThenDeletesOnlyOnYes)
{
    const DeleteCase &c = GetParam();
    AddInstalled("i1.iwd", 11);
    AddInstalled("i2.iwd", 22);
    AddAvailable("a1.iwd", 33);
    AddAvailable("a2.iwd", 44);
    ASSERT_TRUE(StartProgram(&program, game));
    bool installed = c.list == IDC_INSTALLED_LIST;
    std::string victim = installed ? "i1.iwd" : "a1.iwd";
    std::string victimPath = JoinPath(installed ? game.mainFolder : game.modsFolder, victim);

    ASSERT_TRUE(RightClickRow(&program, c.list, victim));
    ASSERT_TRUE(ChooseMenuItem(&program, DeleteCommand));
    ShownMessageBox box;
    ASSERT_TRUE(FindMessageBox(&program, &box)) << "Delete did not ask";
    EXPECT_EQ(box.caption, "Quillmoor MM");
    EXPECT_EQ(box.text, DeleteQuestion);
    EXPECT_EQ(box.buttons, (std::vector<int>{IDYES, IDNO}));
    ASSERT_TRUE(AnswerMessageBox(&program, box, c.answer));
    ExpectNoMessageBox();

    std::vector<ListedMod> installedRows = {{"i1.iwd", "11B"}, {"i2.iwd", "22B"}};
    std::vector<ListedMod> availableRows = {{"a1.iwd", "33B"}, {"a2.iwd", "44B"}};
    if (c.answer == IDYES) {
        std::vector<ListedMod> &from = installed ? installedRows : availableRows;
        from.erase(from.begin());
        EXPECT_FALSE(PathExists(victimPath));
    } else {
        EXPECT_TRUE(PathExists(victimPath));
    }
    ExpectLists(installedRows, availableRows);
    EXPECT_EQ(NamesAndSizes(game.mainFolder).size(), installedRows.size());
    EXPECT_EQ(NamesAndSizes(game.modsFolder).size(), availableRows.size());
}

INSTANTIATE_TEST_SUITE_P(
    Each, DeleteTest,
    ::testing::Values(DeleteCase{"InstalledYes", IDC_INSTALLED_LIST, IDYES},
                      DeleteCase{"InstalledNo", IDC_INSTALLED_LIST, IDNO},
                      DeleteCase{"AvailableYes", IDC_AVAILABLE_LIST, IDYES},
                      DeleteCase{"AvailableNo", IDC_AVAILABLE_LIST, IDNO}),
    ByLabel());

// A failing operation says why, under the error caption, and changes nothing.
struct FailureTest : E2eTest, ::testing::WithParamInterface<OperationCase> {};

TEST_P(FailureTest, ReportsTheSystemsReasonAndChangesNothing)
{
    const OperationCase &c = GetParam();
    AddInstalled("same.iwd", 100);
    AddInstalled("other.iwd", 150);
    AddAvailable("same.iwd", 200);
    AddAvailable("gone.iwd", 300);
    ASSERT_TRUE(StartProgram(&program, game));
    ExpectLists({{"same.iwd", "100B"}, {"other.iwd", "150B"}},
                {{"same.iwd", "200B"}, {"gone.iwd", "300B"}});
    std::vector<ShownRow> installedBefore = Rows(IDC_INSTALLED_LIST);
    std::vector<ShownRow> availableBefore = Rows(IDC_AVAILABLE_LIST);
    // Removed behind the program's back: its row stays until a rescan.
    ASSERT_TRUE(DeleteFileA(JoinPath(game.modsFolder, "gone.iwd").c_str()));
    std::vector<std::string> mainBefore = NamesAndSizes(game.mainFolder);
    std::vector<std::string> modsBefore = NamesAndSizes(game.modsFolder);
    std::string name = c.command == DeleteCommand ? "gone.iwd" : "same.iwd";

    ASSERT_TRUE(RightClickRow(&program, c.list, name));
    ASSERT_TRUE(ChooseMenuItem(&program, c.command));
    ShownMessageBox box;
    ASSERT_TRUE(FindMessageBox(&program, &box)) << "no message";
    if (c.command == DeleteCommand) {
        ASSERT_EQ(box.text, DeleteQuestion);
        ASSERT_TRUE(AnswerMessageBox(&program, box, IDYES));
        ASSERT_TRUE(FindMessageBox(&program, &box)) << "no error after the question";
    }
    ExpectErrorReport(box, c.message);
    ASSERT_TRUE(AnswerMessageBox(&program, box, IDOK));
    ExpectNoMessageBox();

    EXPECT_EQ(Rows(IDC_INSTALLED_LIST), installedBefore);
    EXPECT_EQ(Label(IDC_INSTALLED_COUNT), "2");
    EXPECT_EQ(Rows(IDC_AVAILABLE_LIST), availableBefore);
    EXPECT_EQ(Label(IDC_AVAILABLE_COUNT), "2");
    EXPECT_EQ(NamesAndSizes(game.mainFolder), mainBefore);
    EXPECT_EQ(NamesAndSizes(game.modsFolder), modsBefore);
}

INSTANTIATE_TEST_SUITE_P(
    Each, FailureTest,
    ::testing::Values(OperationCase{"InstallOntoAnExistingName", IDC_AVAILABLE_LIST,
                                    InstallCommand, "Failed to install the mod."},
                      OperationCase{"UninstallOntoAnExistingName", IDC_INSTALLED_LIST,
                                    UninstallCommand, "Failed to uninstall the mod."},
                      OperationCase{"DeleteOfAVanishedFile", IDC_AVAILABLE_LIST, DeleteCommand,
                                    "Failed to delete the mod."}),
    ByLabel());

int OtherList(int list)
{
    return list == IDC_INSTALLED_LIST ? IDC_AVAILABLE_LIST : IDC_INSTALLED_LIST;
}

// After any Install, Uninstall or Delete, run or not, the row picked before
// it can no longer be acted on without a fresh click. The row is picked in
// one list and that list rescanned ("Scan" keeps the pick but leaves no row
// focused, so a later right click there records nothing); then an operation
// runs in the other list; then the first list's menu is opened again.
enum SpentBy { DeleteAnsweredNo, DeleteAnsweredYes, FailedUninstall, FailedInstall };

struct FreshClickCase : LabelledCase {
    SpentBy spentBy;
    ListCommand next;
};

struct FreshClickTest : E2eTest, ::testing::WithParamInterface<FreshClickCase> {};

TEST_P(FreshClickTest, AnOperationUsesUpTheClick)
{
    const FreshClickCase &c = GetParam();
    AddInstalled("x.iwd", 1);
    AddInstalled("same.iwd", 2);
    AddAvailable("a.iwd", 3);
    AddAvailable("same.iwd", 4);
    ASSERT_TRUE(StartProgram(&program, game));
    bool pickInstalled = c.spentBy == FailedInstall;
    int picked = pickInstalled ? IDC_INSTALLED_LIST : IDC_AVAILABLE_LIST;
    const char *pickedName = pickInstalled ? "x.iwd" : "a.iwd";

    ASSERT_TRUE(RightClickRow(&program, picked, pickedName));
    ASSERT_TRUE(ChooseMenuItem(&program, ScanCommand));
    ExpectNoFocusedRow(picked);

    ShownMessageBox box;
    switch (c.spentBy) {
    case DeleteAnsweredNo:
    case DeleteAnsweredYes:
        ASSERT_TRUE(RightClickRow(&program, IDC_INSTALLED_LIST, "x.iwd"));
        ASSERT_TRUE(ChooseMenuItem(&program, DeleteCommand));
        ASSERT_TRUE(FindMessageBox(&program, &box));
        ASSERT_EQ(box.text, DeleteQuestion);
        ASSERT_TRUE(
            AnswerMessageBox(&program, box, c.spentBy == DeleteAnsweredNo ? IDNO : IDYES));
        break;
    case FailedUninstall:
    case FailedInstall:
        ASSERT_TRUE(RightClickRow(&program, OtherList(picked), "same.iwd"));
        ASSERT_TRUE(
            ChooseMenuItem(&program, pickInstalled ? InstallCommand : UninstallCommand));
        ASSERT_TRUE(FindMessageBox(&program, &box));
        ASSERT_EQ(box.caption, "Quillmoor MM - Error");
        ASSERT_TRUE(AnswerMessageBox(&program, box, IDOK));
        break;
    }
    ExpectNoMessageBox();
    std::vector<std::string> mainBefore = NamesAndSizes(game.mainFolder);
    std::vector<std::string> modsBefore = NamesAndSizes(game.modsFolder);

    ASSERT_TRUE(RightClickEmpty(&program, picked));
    ASSERT_TRUE(ChooseMenuItem(&program, c.next));
    ExpectNoMessageBox();
    EXPECT_EQ(NamesAndSizes(game.mainFolder), mainBefore);
    EXPECT_EQ(NamesAndSizes(game.modsFolder), modsBefore);

    // A fresh click makes the same command work.
    ListCommand move = pickInstalled ? UninstallCommand : InstallCommand;
    ASSERT_TRUE(ClickRow(&program, picked, pickedName));
    ASSERT_TRUE(RightClickEmpty(&program, picked));
    ASSERT_TRUE(ChooseMenuItem(&program, move));
    ExpectNoMessageBox();
    EXPECT_TRUE(
        PathExists(JoinPath(pickInstalled ? game.modsFolder : game.mainFolder, pickedName)));
    EXPECT_FALSE(
        PathExists(JoinPath(pickInstalled ? game.mainFolder : game.modsFolder, pickedName)));
}

INSTANTIATE_TEST_SUITE_P(
    Each, FreshClickTest,
    ::testing::Values(
        FreshClickCase{"InstallAfterADeleteAnsweredNo", DeleteAnsweredNo, InstallCommand},
        FreshClickCase{"DeleteAfterADeleteAnsweredNo", DeleteAnsweredNo, DeleteCommand},
        FreshClickCase{"InstallAfterADelete", DeleteAnsweredYes, InstallCommand},
        FreshClickCase{"InstallAfterAFailedUninstall", FailedUninstall, InstallCommand},
        FreshClickCase{"UninstallAfterAFailedInstall", FailedInstall, UninstallCommand}),
    ByLabel());

// Every command without the mouse: a list reached by Tab, a row chosen
// with Home and the arrow keys, its menu opened by a key below that row and
// off it, the command chosen with the arrow keys and Enter, and the delete
// question answered with Enter (Yes is its default).
struct KeyboardCase : LabelledCase {
    MenuKey key;
};

struct KeyboardTest : E2eTest, ::testing::WithParamInterface<KeyboardCase> {
    // Focuses the row of `name` in the list that has the focus with the
    // keys, and opens the menu by the case's key: below the row, off it.
    void OpenMenuOnRow(int list, const std::string &name)
    {
        int row = -1, focused = -1;
        ASSERT_TRUE(FindRow(&program, list, name, &row));
        ASSERT_TRUE(PressKeyIn(&program, program.window, VK_HOME));
        for (int down = 0; down < row; ++down)
            ASSERT_TRUE(PressKeyIn(&program, program.window, VK_DOWN));
        ASSERT_TRUE(WaitFor([&] {
            return FocusedRow(&program, list, &focused) && focused == row;
        })) << "the keys did not reach "
            << name;
        ASSERT_TRUE(OpenMenuByKey(&program, GetParam().key));
        RECT shown, menu;
        ASSERT_TRUE(RowRectangle(&program, list, row, &shown));
        MapWindowPoints(ListWindow(program, list), nullptr, (POINT *)&shown, 2);
        GetWindowRect(FindProgramWindow(program, "#32768", nullptr, false, nullptr), &menu);
        EXPECT_EQ(menu.top, shown.bottom) << "the menu is not just below " << name;
    }
};

TEST_P(KeyboardTest, EveryCommandOfBothListsWithoutTheMouse)
{
    AddInstalled("i1.iwd", 11);
    AddInstalled("i2.iwd", 22);
    AddAvailable("a1.iwd", 33);
    AddAvailable("a2.iwd", 44);
    ASSERT_TRUE(StartProgram(&program, game));

    // The available list, the first tab stop, has the focus to begin with.
    OpenMenuOnRow(IDC_AVAILABLE_LIST, "a2.iwd");
    ASSERT_TRUE(ChooseMenuItem(&program, InstallCommand));
    ASSERT_TRUE(PressKeyIn(&program, program.window, VK_TAB));
    OpenMenuOnRow(IDC_INSTALLED_LIST, "i1.iwd");
    ASSERT_TRUE(ChooseMenuItem(&program, UninstallCommand));
    OpenMenuOnRow(IDC_INSTALLED_LIST, "i2.iwd");
    ASSERT_TRUE(ChooseMenuItem(&program, DeleteCommand));
    ShownMessageBox box;
    ASSERT_TRUE(FindMessageBox(&program, &box) && box.text == DeleteQuestion);
    ASSERT_TRUE(PressKeyIn(&program, box.window, VK_RETURN));
    ASSERT_TRUE(WaitFor([&] { return !IsWindow(box.window); })) << "Enter did not answer";
    // A mod put into main behind the program's back shows after Scan.
    AddInstalled("late.iwd", 55);
    OpenMenuOnRow(IDC_INSTALLED_LIST, "a2.iwd");
    ASSERT_TRUE(ChooseMenuItem(&program, ScanCommand));

    ExpectNoMessageBox();
    ExpectLists({{"a2.iwd", "44B"}, {"late.iwd", "55B"}},
                {{"a1.iwd", "33B"}, {"i1.iwd", "11B"}});
    EXPECT_FALSE(PathExists(JoinPath(game.mainFolder, "i2.iwd")));
}

INSTANTIATE_TEST_SUITE_P(Each, KeyboardTest,
                         ::testing::Values(KeyboardCase{"MenuKey", TheMenuKey},
                                           KeyboardCase{"ShiftF10", ShiftF10}),
                         ByLabel());

TEST_F(ModOperationsTest, NothingHappensBeforeTheFirstClick)
{
    AddInstalled("m.iwd", 1);
    AddAvailable("a.iwd", 2);
    ASSERT_TRUE(StartProgram(&program, game));
    ExpectNoFocusedRow(IDC_INSTALLED_LIST);
    ExpectNoFocusedRow(IDC_AVAILABLE_LIST);

    const struct {
        int list;
        ListCommand command;
    } tries[] = {{IDC_AVAILABLE_LIST, InstallCommand},
                 {IDC_AVAILABLE_LIST, DeleteCommand},
                 {IDC_INSTALLED_LIST, UninstallCommand},
                 {IDC_INSTALLED_LIST, DeleteCommand}};
    for (const auto &attempt : tries) {
        SCOPED_TRACE(ListCommandName(attempt.command));
        ASSERT_TRUE(RightClickEmpty(&program, attempt.list));
        ASSERT_TRUE(ChooseMenuItem(&program, attempt.command));
        ExpectNoMessageBox();
    }
    ExpectLists({{"m.iwd", "1B"}}, {{"a.iwd", "2B"}});
    EXPECT_TRUE(PathExists(JoinPath(game.mainFolder, "m.iwd")));
    EXPECT_TRUE(PathExists(JoinPath(game.modsFolder, "a.iwd")));
}

TEST_F(ModOperationsTest, GrayedItemsDoNothing)
{
    AddInstalled("m.iwd", 1);
    AddAvailable("a.iwd", 2);
    ASSERT_TRUE(StartProgram(&program, game));

    // "Uninstall" on the available list's menu and "Install" on the installed
    // list's menu are grayed, even right after a click on a row.
    ASSERT_TRUE(RightClickRow(&program, IDC_AVAILABLE_LIST, "a.iwd"));
    ASSERT_TRUE(ChooseMenuItem(&program, UninstallCommand));
    ExpectNoMessageBox();
    ASSERT_TRUE(RightClickRow(&program, IDC_INSTALLED_LIST, "m.iwd"));
    ASSERT_TRUE(ChooseMenuItem(&program, InstallCommand));
    ExpectNoMessageBox();
    ExpectLists({{"m.iwd", "1B"}}, {{"a.iwd", "2B"}});
}

// The rows the program must never act on. Whether it then does nothing or
// says why is its own choice; every question is answered Yes here, so that a
// wrong row would really be moved or deleted.
struct UnpickedCase : LabelledCase {
    int clicked; // the list where the user did click a row
    ListCommand command;
};

struct UnpickedRowTest : E2eTest, ::testing::WithParamInterface<UnpickedCase> {};

TEST_P(UnpickedRowTest, ARowNeverClickedInTheOtherListIsLeftAlone)
{
    const UnpickedCase &c = GetParam();
    AddInstalled("i1.iwd", 1);
    AddInstalled("i2.iwd", 2);
    AddAvailable("a1.iwd", 3);
    AddAvailable("a2.iwd", 4);
    ASSERT_TRUE(StartProgram(&program, game));
    std::vector<std::string> mainBefore = NamesAndSizes(game.mainFolder);
    std::vector<std::string> modsBefore = NamesAndSizes(game.modsFolder);

    const char *clickedName = c.clicked == IDC_INSTALLED_LIST ? "i2.iwd" : "a2.iwd";
    ASSERT_TRUE(ClickRow(&program, c.clicked, clickedName));
    ExpectNoFocusedRow(OtherList(c.clicked));
    ASSERT_TRUE(RightClickEmpty(&program, OtherList(c.clicked)));
    ASSERT_TRUE(ChooseMenuItem(&program, c.command));
    std::vector<std::string> shown;
    ASSERT_TRUE(AnswerAllMessageBoxes(&program, &shown));

    EXPECT_EQ(NamesAndSizes(game.mainFolder), mainBefore) << ::testing::PrintToString(shown);
    EXPECT_EQ(NamesAndSizes(game.modsFolder), modsBefore) << ::testing::PrintToString(shown);
    ExpectLists({{"i1.iwd", "1B"}, {"i2.iwd", "2B"}}, {{"a1.iwd", "3B"}, {"a2.iwd", "4B"}});
}

INSTANTIATE_TEST_SUITE_P(
    Each, UnpickedRowTest,
    ::testing::Values(
        UnpickedCase{"UninstallAfterAClickInTheAvailableList", IDC_AVAILABLE_LIST,
                     UninstallCommand},
        UnpickedCase{"DeleteAfterAClickInTheAvailableList", IDC_AVAILABLE_LIST, DeleteCommand},
        UnpickedCase{"InstallAfterAClickInTheInstalledList", IDC_INSTALLED_LIST,
                     InstallCommand},
        UnpickedCase{"DeleteAfterAClickInTheInstalledList", IDC_INSTALLED_LIST, DeleteCommand}),
    ByLabel());

struct StaleCase : LabelledCase {
    ListCommand command;
};

struct StaleRowTest : E2eTest, ::testing::WithParamInterface<StaleCase> {};

TEST_P(StaleRowTest, ARowRecordedBeforeARescanIsLeftAlone)
{
    AddInstalled("m.iwd", 1);
    for (const char *name : {"a1.iwd", "a2.iwd", "a3.iwd", "a4.iwd"})
        AddAvailable(name, 2);
    ASSERT_TRUE(StartProgram(&program, game));
    std::vector<ShownRow> rows = Rows(IDC_AVAILABLE_LIST);
    ASSERT_EQ(rows.size(), 4u);
    std::string picked = rows[0].name;

    // The user picks the first row; its file then goes behind the program's
    // back and the list is rescanned, so the first row is another file now.
    ASSERT_TRUE(ClickRow(&program, IDC_AVAILABLE_LIST, picked));
    ASSERT_TRUE(DeleteFileA(JoinPath(game.modsFolder, picked).c_str()));
    ASSERT_TRUE(RightClickRow(&program, IDC_AVAILABLE_LIST, picked));
    ASSERT_TRUE(ChooseMenuItem(&program, ScanCommand));
    ASSERT_EQ(Rows(IDC_AVAILABLE_LIST).size(), 3u);
    std::vector<std::string> mainBefore = NamesAndSizes(game.mainFolder);
    std::vector<std::string> modsBefore = NamesAndSizes(game.modsFolder);

    ExpectNoFocusedRow(IDC_AVAILABLE_LIST);
    ASSERT_TRUE(RightClickEmpty(&program, IDC_AVAILABLE_LIST));
    ASSERT_TRUE(ChooseMenuItem(&program, GetParam().command));
    std::vector<std::string> shown;
    ASSERT_TRUE(AnswerAllMessageBoxes(&program, &shown));

    EXPECT_EQ(NamesAndSizes(game.mainFolder), mainBefore) << ::testing::PrintToString(shown);
    EXPECT_EQ(NamesAndSizes(game.modsFolder), modsBefore) << ::testing::PrintToString(shown);
    EXPECT_EQ(Rows(IDC_AVAILABLE_LIST).size(), 3u);
}

TEST_P(StaleRowTest, ARowRecordedBeforeARemovalIsLeftAlone)
{
    ListCommand command =
        GetParam().command == InstallCommand ? UninstallCommand : GetParam().command;
    AddInstalled("x.iwd", 1);
    AddAvailable("a.iwd", 2);
    AddAvailable("b.iwd", 3);
    ASSERT_TRUE(StartProgram(&program, game));

    // The user deletes the installed list's only row, then installs a.iwd,
    // which becomes that list's first row, and clicks b.iwd.
    ASSERT_TRUE(RightClickRow(&program, IDC_INSTALLED_LIST, "x.iwd"));
    ASSERT_TRUE(ChooseMenuItem(&program, DeleteCommand));
    ShownMessageBox box;
    ASSERT_TRUE(FindMessageBox(&program, &box));
    ASSERT_TRUE(AnswerMessageBox(&program, box, IDYES));
    ASSERT_TRUE(RightClickRow(&program, IDC_AVAILABLE_LIST, "a.iwd"));
    ASSERT_TRUE(ChooseMenuItem(&program, InstallCommand));
    ExpectLists({{"a.iwd", "2B"}}, {{"b.iwd", "3B"}});
    ASSERT_TRUE(ClickRow(&program, IDC_AVAILABLE_LIST, "b.iwd"));
    std::vector<std::string> mainBefore = NamesAndSizes(game.mainFolder);
    std::vector<std::string> modsBefore = NamesAndSizes(game.modsFolder);

    // The installed list's recorded row was x.iwd's; a.iwd was never picked.
    ExpectNoFocusedRow(IDC_INSTALLED_LIST);
    ASSERT_TRUE(RightClickEmpty(&program, IDC_INSTALLED_LIST));
    ASSERT_TRUE(ChooseMenuItem(&program, command));
    std::vector<std::string> shown;
    ASSERT_TRUE(AnswerAllMessageBoxes(&program, &shown));

    EXPECT_EQ(NamesAndSizes(game.mainFolder), mainBefore) << ::testing::PrintToString(shown);
    EXPECT_EQ(NamesAndSizes(game.modsFolder), modsBefore) << ::testing::PrintToString(shown);
    ExpectLists({{"a.iwd", "2B"}}, {{"b.iwd", "3B"}});
}

INSTANTIATE_TEST_SUITE_P(Each, StaleRowTest,
                         ::testing::Values(StaleCase{"MoveIt", InstallCommand},
                                           StaleCase{"DeleteIt", DeleteCommand}),
                         ByLabel());

} // namespace
