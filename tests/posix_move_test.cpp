// The Linux stand-in for moving a file between file systems: like Win32's
// move it copies the file and removes the source, never replaces the
// destination, and leaves the source alone until the copy is complete.
#include "platform.h"
#include "test_modes.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// The descriptors this process has open.
int OpenDescriptors()
{
    int count = 0;
    if (DIR *folder = opendir("/proc/self/fd")) {
        while (readdir(folder))
            count++;
        closedir(folder);
    }
    return count;
}

struct CrossDeviceMoveTest : ::testing::Test {
    TemporaryGame game;
    // A folder on another file system than the game folder.
    std::string away;

    void SetUp() override
    {
        struct stat shared, here;
        if (stat("/dev/shm", &shared) != 0 || stat(".", &here) != 0 ||
            shared.st_dev == here.st_dev)
            GTEST_SKIP() << "no second file system beside the temporary folder";
        away = MakeUniqueFolder("/dev/shm");
        SetLastError(ERROR_SUCCESS);
    }

    void TearDown() override
    {
        if (away.empty())
            return;
        chmod(away.c_str(), 0755);
        RemovePath(away);
    }
};

} // namespace

TEST_F(CrossDeviceMoveTest, CopiesTheWholeFileWithItsTimesAndRemovesTheSource)
{
    // More than one block of the copy, and not a multiple of it.
    std::string bytes;
    for (int i = 0; i < 200001; i++)
        bytes += (char)(i * 7);
    const std::string source = away + "/m.iwd";
    ASSERT_TRUE(WriteWholeFile(source, bytes));
    const struct timespec times[2] = {{1000000000, 0}, {1100000000, 0}};
    ASSERT_EQ(utimensat(AT_FDCWD, source.c_str(), times, 0), 0);
    const int descriptors = OpenDescriptors();

    ASSERT_TRUE(MoveFileA(source.c_str(), "..\\main\\m.iwd"));

    EXPECT_EQ(OpenDescriptors(), descriptors);

    EXPECT_FALSE(PathExists(source));
    EXPECT_EQ(ReadWholeFile("../main/m.iwd"), bytes);
    struct stat moved;
    ASSERT_EQ(stat("../main/m.iwd", &moved), 0);
    EXPECT_EQ(moved.st_mtim.tv_sec, times[1].tv_sec);
}

TEST_F(CrossDeviceMoveTest, AnExistingDestinationIsNeverReplaced)
{
    const std::string source = away + "/m.iwd";
    ASSERT_TRUE(WriteWholeFile(source, "moving"));
    ASSERT_TRUE(WriteWholeFile("../main/m.iwd", "staying"));
    const int descriptors = OpenDescriptors();

    EXPECT_FALSE(MoveFileA(source.c_str(), "..\\main\\m.iwd"));

    EXPECT_EQ(GetLastError(), (DWORD)ERROR_ALREADY_EXISTS);
    EXPECT_EQ(ReadWholeFile(source), "moving");
    EXPECT_EQ(ReadWholeFile("../main/m.iwd"), "staying");
    EXPECT_EQ(OpenDescriptors(), descriptors);
}

// A copy that cannot be completed leaves nothing of itself behind.
TEST(PosixMoveTest, ACopyOntoAFullVolumeLeavesNoPartOfIt)
{
    TemporaryGame game;
    SmallVolumeGame small("main");
    if (!small.missing.empty())
        GTEST_SKIP() << small.missing;
    ASSERT_TRUE(WriteWholeFile("mods/big.iwd", std::string(400 * 1024, 'b')));

    EXPECT_FALSE(MoveFileA("mods\\big.iwd", "..\\main\\big.iwd"));

    EXPECT_EQ(GetLastError(), (DWORD)ERROR_DISK_FULL);
    EXPECT_EQ(ReadWholeFile("mods/big.iwd").size(), 400u * 1024);
    EXPECT_FALSE(PathExists("../main/big.iwd"));
}

// Where renames cannot refuse to replace, a hard link stands in: a move
// still moves the file once, and still never replaces another.
TEST(PosixMoveTest, WithoutNoReplaceRenamesAHardLinkMovesTheFile)
{
    TemporaryGame game;
    ASSERT_TRUE(WriteWholeFile("mods/m.iwd", "moving"));
    ASSERT_TRUE(WriteWholeFile("mods/n.iwd", "moving too"));
    ASSERT_TRUE(WriteWholeFile("../main/n.iwd", "staying"));
    MoveWithoutNoReplaceRename();

    EXPECT_TRUE(MoveFileA("mods\\m.iwd", "..\\main\\m.iwd"));
    EXPECT_FALSE(MoveFileA("mods\\n.iwd", "..\\main\\n.iwd"));
    const DWORD refused = GetLastError();
    EndTestModes();

    EXPECT_FALSE(PathExists("mods/m.iwd"));
    EXPECT_EQ(ReadWholeFile("../main/m.iwd"), "moving");
    EXPECT_EQ(refused, (DWORD)ERROR_ALREADY_EXISTS);
    EXPECT_EQ(ReadWholeFile("mods/n.iwd"), "moving too");
    EXPECT_EQ(ReadWholeFile("../main/n.iwd"), "staying");
}

// The copy is made, but the source cannot be removed: the copy goes again,
// so that the file is not left in both places.
TEST_F(CrossDeviceMoveTest, ASourceThatCannotBeRemovedStaysAndLeavesNoCopy)
{
    const std::string source = away + "/m.iwd";
    ASSERT_TRUE(WriteWholeFile(source, "moving"));
    chmod(away.c_str(), 0555);
    const std::string probe = away + "/probe";
    int file = open(probe.c_str(), O_WRONLY | O_CREAT | O_EXCL, 0644);
    if (file >= 0) {
        close(file);
        unlink(probe.c_str());
        GTEST_SKIP() << "this process may change a read-only folder";
    }

    EXPECT_FALSE(MoveFileA(source.c_str(), "..\\main\\m.iwd"));

    EXPECT_EQ(GetLastError(), (DWORD)ERROR_ACCESS_DENIED);
    EXPECT_EQ(ReadWholeFile(source), "moving");
    EXPECT_FALSE(PathExists("../main/m.iwd"));
}

// Only files are copied: a folder fails as on Win32, and a pipe fails with a
// reason instead of waiting for a writer.
TEST_F(CrossDeviceMoveTest, AFolderOrAPipeIsNotMovedAcrossFileSystems)
{
    const std::string folder = away + "/folder.iwd", pipe = away + "/pipe.iwd";
    ASSERT_EQ(mkdir(folder.c_str(), 0755), 0);
    ASSERT_EQ(mkfifo(pipe.c_str(), 0644), 0);

    const int descriptors = OpenDescriptors();
    for (const std::string &source : {folder, pipe}) {
        SCOPED_TRACE(source);
        const std::string target = "../main/" + source.substr(away.size() + 1);
        SetLastError(ERROR_SUCCESS);
        EXPECT_FALSE(MoveFileA(source.c_str(), target.c_str()));
        EXPECT_EQ(OpenDescriptors(), descriptors);
        EXPECT_NE(GetLastError(), (DWORD)ERROR_SUCCESS);
        EXPECT_TRUE(PathExists(source));
        EXPECT_FALSE(PathExists(target));
    }
}
