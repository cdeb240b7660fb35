// The picked file of a mod list: a recorded row counts only while the list
// still shows, at that index, the file that was recorded there.
#include "memory_mod_list.h"
#include "picked_file.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct PickedFileTest : ::testing::Test {
    MemoryWindow memory{};
    HWND window = MemoryWindowHandle(&memory);
    PickedFile picked{};

    // Fills a list as a scan does: name first, then size and full path.
    void Fill(ModFolder folder, const std::vector<std::string> &names,
              const char *folderPath = "C:\\Game\\main\\")
    {
        ModListDeleteAll(window, folder);
        for (size_t i = 0; i < names.size(); i++) {
            ModListInsertRow(window, folder, (int)i, names[i].c_str());
            ModListSetCell(window, folder, (int)i, SizeColumn, "1KB");
            ModListSetCell(window, folder, (int)i, FullPathColumn,
                           (folderPath + names[i]).c_str());
        }
    }
};

} // namespace

TEST_F(PickedFileTest, NothingIsPickedUntilARowIsRecorded)
{
    Fill(InstalledFolder, {"a.iwd", "b.iwd"});
    for (int row : {-1, 0, 1, 2})
        EXPECT_FALSE(IsPickedFileAt(window, InstalledFolder, row, picked)) << "row " << row;

    PickedFile zeroed{};
    EXPECT_FALSE(IsPickedFileAt(window, InstalledFolder, 0, zeroed));
}

TEST_F(PickedFileTest, TheRecordedRowCountsWhileItShowsTheSameFile)
{
    Fill(InstalledFolder, {"a.iwd", "b.iwd", "c.iwd"});
    RecordPickedFile(window, InstalledFolder, 1, picked);

    EXPECT_TRUE(IsPickedFileAt(window, InstalledFolder, 1, picked));
    EXPECT_STREQ(picked.name, "b.iwd");
    EXPECT_STREQ(picked.fullPath, "C:\\Game\\main\\b.iwd");

    // A rescan that finds the same file at the same place keeps the pick.
    Fill(InstalledFolder, {"a.iwd", "b.iwd", "d.iwd"});
    EXPECT_TRUE(IsPickedFileAt(window, InstalledFolder, 1, picked));
    // Another index of the same list is never the picked row.
    EXPECT_FALSE(IsPickedFileAt(window, InstalledFolder, 0, picked));
    EXPECT_FALSE(IsPickedFileAt(window, InstalledFolder, 2, picked));
}

TEST_F(PickedFileTest, AStaleIndexNeverReachesAnotherFile)
{
    const struct {
        const char *change;
        std::vector<std::string> rowsAfter;
    } cases[] = {
        {"a row before it was removed", {"b.iwd", "c.iwd"}},
        {"the picked row itself was removed", {"a.iwd", "c.iwd"}},
        {"a rescan put another file there", {"a.iwd", "x.iwd", "b.iwd"}},
        {"the list became shorter", {"a.iwd"}},
        {"the list became empty", {}},
    };
    for (const auto &c : cases) {
        Fill(AvailableFolder, {"a.iwd", "b.iwd", "c.iwd"});
        RecordPickedFile(window, AvailableFolder, 1, picked);
        Fill(AvailableFolder, c.rowsAfter);
        EXPECT_FALSE(IsPickedFileAt(window, AvailableFolder, 1, picked)) << c.change;
    }
}

TEST_F(PickedFileTest, NameAndFullPathMustBothAgree)
{
    Fill(InstalledFolder, {"a.iwd"});
    RecordPickedFile(window, InstalledFolder, 0, picked);

    // The same name in another folder is another file.
    Fill(InstalledFolder, {"a.iwd"}, "C:\\Other\\main\\");
    EXPECT_FALSE(IsPickedFileAt(window, InstalledFolder, 0, picked));

    // The same full path under another name shown is not the row recorded.
    Fill(InstalledFolder, {"a.iwd"});
    ModListSetCell(window, InstalledFolder, 0, NameColumn, "A.iwd");
    EXPECT_FALSE(IsPickedFileAt(window, InstalledFolder, 0, picked));
}

TEST_F(PickedFileTest, APickBelongsToItsOwnList)
{
    Fill(InstalledFolder, {"a.iwd", "b.iwd"});
    Fill(AvailableFolder, {"c.iwd", "d.iwd"}, "C:\\Game\\QuillmoorMM\\mods\\");
    RecordPickedFile(window, InstalledFolder, 0, picked);

    EXPECT_TRUE(IsPickedFileAt(window, InstalledFolder, 0, picked));
    EXPECT_FALSE(IsPickedFileAt(window, AvailableFolder, 0, picked));
}

TEST_F(PickedFileTest, RecordingAMissingRowOrForgettingLeavesNothingPicked)
{
    Fill(InstalledFolder, {"a.iwd", "b.iwd"});

    for (int missing : {-1, 2, 100}) {
        RecordPickedFile(window, InstalledFolder, 0, picked);
        RecordPickedFile(window, InstalledFolder, missing, picked);
        EXPECT_FALSE(picked.recorded) << "row " << missing;
        for (int row : {0, 1})
            EXPECT_FALSE(IsPickedFileAt(window, InstalledFolder, row, picked))
                << "row " << missing << " then " << row;
    }

    RecordPickedFile(window, InstalledFolder, 1, picked);
    ForgetPickedFile(picked);
    EXPECT_FALSE(IsPickedFileAt(window, InstalledFolder, 1, picked));
}

TEST_F(PickedFileTest, TheLongestNameAndPathAreComparedInFull)
{
    // Two names of the most a search returns (259 characters) that differ
    // only in their last character must not pass for one another.
    std::string first = std::string(255, 'n') + ".iwd";
    std::string second = first;
    second.back() = 'x';
    ASSERT_EQ(first.size(), (size_t)MAX_PATH - 1);

    ModListDeleteAll(window, AvailableFolder);
    ModListInsertRow(window, AvailableFolder, 0, first.c_str());
    ModListSetCell(window, AvailableFolder, 0, FullPathColumn, "");
    RecordPickedFile(window, AvailableFolder, 0, picked);
    EXPECT_TRUE(IsPickedFileAt(window, AvailableFolder, 0, picked));

    ModListSetCell(window, AvailableFolder, 0, NameColumn, second.c_str());
    EXPECT_FALSE(IsPickedFileAt(window, AvailableFolder, 0, picked));
}
