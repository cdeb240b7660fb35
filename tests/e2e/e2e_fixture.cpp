// The fixture every case starts from, and what the case files share.
#include "e2e_harness.h"

#include "resource.h"

#include <gtest/gtest.h>

void E2eTest::SetUp()
{
    ASSERT_TRUE(MakeGameLayout(&game, ""));
}

void E2eTest::TearDown()
{
    StopProgram(&program);
    RemoveGameLayout(game);
}

void E2eTest::AddInstalled(const std::string &name, unsigned size)
{
    ASSERT_TRUE(MakeSizedFile(JoinPath(game.mainFolder, name), size)) << name;
}

void E2eTest::AddAvailable(const std::string &name, unsigned size)
{
    ASSERT_TRUE(MakeSizedFile(JoinPath(game.modsFolder, name), size)) << name;
}

void E2eTest::WriteIgnoreList(const std::string &text)
{
    ASSERT_TRUE(WriteWholeFile(game.ignoreFile, text));
}

std::vector<ShownRow> E2eTest::Rows(int list)
{
    std::vector<ShownRow> rows;
    EXPECT_TRUE(ReadRows(&program, list, &rows));
    return rows;
}

std::string E2eTest::Label(int label)
{
    std::string text = "<unread>";
    EXPECT_TRUE(ReadLabel(&program, label, &text));
    return text;
}

void E2eTest::ExpectLists(const std::vector<ListedMod> &installed,
                          const std::vector<ListedMod> &available)
{
    EXPECT_EQ(Rows(IDC_INSTALLED_LIST), InSearchOrder(game.mainFolder, installed))
        << "installed list";
    EXPECT_EQ(Label(IDC_INSTALLED_COUNT), std::to_string(installed.size()))
        << "installed count";
    EXPECT_EQ(Rows(IDC_AVAILABLE_LIST), InSearchOrder(game.modsFolder, available))
        << "available list";
    EXPECT_EQ(Label(IDC_AVAILABLE_COUNT), std::to_string(available.size()))
        << "available count";
}

void E2eTest::ExpectNoMessageBox()
{
    ShownMessageBox box;
    ASSERT_TRUE(Settle(&program));
    if (FindMessageBox(&program, &box)) {
        ADD_FAILURE() << "unexpected message box \"" << box.caption << "\": " << box.text;
        AnswerMessageBox(&program, box, box.buttons.empty() ? IDOK : box.buttons[0]);
    }
}

void E2eTest::ExpectNoFocusedRow(int list)
{
    int focused = 0;
    ASSERT_TRUE(FocusedRow(&program, list, &focused));
    ASSERT_EQ(focused, -1) << "list " << list
                           << " has a focused row; a click on its empty part would record it";
}

Snapshot E2eTest::CaseSnapshot()
{
    return TakeSnapshot(game.caseFolder);
}

Snapshot E2eTest::Moved(const Snapshot &before, const std::string &from, const std::string &to)
{
    bool found = false;
    Snapshot moved =
        MovedInSnapshot(before, SnapshotKey(from), to.empty() ? "" : SnapshotKey(to), &found);
    EXPECT_TRUE(found) << from << " is not in the snapshot";
    return moved;
}
