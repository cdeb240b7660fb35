// Installing, uninstalling and deleting mods in a real game folder, and the
// error reports of their failures.
#include "error_report.h"
#include "ignore_list.h"
#include "linux_side.h"
#include "memory_mod_list.h"
#include "mod_operations.h"
#include "mod_scan.h"
#include "recorded_message_box.h"
#include "snapshot.h"
#include "test_modes.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <filesystem>
#include <functional>
#include <map>
#include <string.h>

#ifndef _WIN32
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

const char ErrorCaption[] = "Quillmoor MM - Error";

// One of the things a user does to a mod, as the main window calls it.
struct Operation {
    const char *name;
    ModFolder from; // the list whose row it works on
    ModFolder to;   // where the file goes; a delete leaves it nowhere
    bool moves;
    const char *failure;
};

const Operation Install = {"Install", AvailableFolder, InstalledFolder, true,
                           "Failed to install the mod."};
const Operation Uninstall = {"Uninstall", InstalledFolder, AvailableFolder, true,
                             "Failed to uninstall the mod."};
const Operation DeleteInstalled = {"DeleteInstalled", InstalledFolder, InstalledFolder, false,
                                   "Failed to delete the mod."};
const Operation DeleteAvailable = {"DeleteAvailable", AvailableFolder, AvailableFolder, false,
                                   "Failed to delete the mod."};

const Operation Moves[] = {Install, Uninstall};
const Operation Deletes[] = {DeleteInstalled, DeleteAvailable};
const Operation AllOperations[] = {Install, Uninstall, DeleteInstalled, DeleteAvailable};

void PrintTo(const Operation &operation, std::ostream *out)
{
    *out << operation.name;
}

std::string OperationName(const ::testing::TestParamInfo<Operation> &info)
{
    return info.param.name;
}

void Perform(const Operation &operation, HWND window, int row)
{
    if (!operation.moves)
        DeleteMod(window, row, operation.from);
    else if (operation.from == AvailableFolder)
        InstallMod(window, row);
    else
        UninstallMod(window, row);
}

ModFolder OtherFolder(ModFolder folder)
{
    return folder == InstalledFolder ? AvailableFolder : InstalledFolder;
}

// A folder's files, relative to the program folder.
std::string Folder(ModFolder folder)
{
    return folder == InstalledFolder ? "../main/" : "mods/";
}

// A file of the folder as the operations name it to the Linux stand-in.
std::string AsTheStandInNamesIt(ModFolder folder, const std::string &name)
{
    std::string path = ModFolderPathFormat(folder);
    path.replace(path.find("%s"), 2, name);
    std::replace(path.begin(), path.end(), '\\', '/');
    return path;
}

// The same, relative to the game folder, as a snapshot names them.
std::string InRoot(ModFolder folder)
{
    return folder == InstalledFolder ? "main/" : "QuillmoorMM/mods/";
}

// The system's text for a code, as the error report asks for it.
std::string SystemText(DWORD code)
{
    char *text = nullptr;
    DWORD length =
        FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                           FORMAT_MESSAGE_IGNORE_INSERTS,
                       nullptr, code, 0x400, reinterpret_cast<LPSTR>(&text), 0, nullptr);
    std::string result = length && text ? std::string(text, length) : std::string();
    if (text)
        LocalFree(text);
    return result;
}

// The names of a list's rows, in its order.
std::vector<std::string> RowNames(const ModList &list)
{
    std::vector<std::string> names;
    for (const ModRow &row : list.rows)
        names.push_back(row.name);
    return names;
}

// The names without one of them.
std::vector<std::string> Without(std::vector<std::string> names, const std::string &name)
{
    names.erase(std::remove(names.begin(), names.end(), name), names.end());
    return names;
}

// Keeps a mod's file from being moved or deleted while it lives. Windows
// holds it open without delete sharing; Linux makes its folder read-only,
// which binds only a process without root's rights (`held` says whether it
// binds this one).
struct HeldFile {
    explicit HeldFile(const std::string &path)
    {
#ifdef _WIN32
        handle = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                             nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        held = handle != INVALID_HANDLE_VALUE;
#else
        folder = std::filesystem::path(path).parent_path().string();
        chmod(folder.c_str(), 0555);
        std::string probe = folder + "/probe";
        int file = open(probe.c_str(), O_WRONLY | O_CREAT | O_EXCL, 0644);
        held = file < 0;
        if (file >= 0) {
            close(file);
            unlink(probe.c_str());
        }
#endif
    }
    ~HeldFile()
    {
#ifdef _WIN32
        if (held)
            CloseHandle(handle);
#else
        chmod(folder.c_str(), 0755);
#endif
    }
    HeldFile(const HeldFile &) = delete;
    HeldFile &operator=(const HeldFile &) = delete;

    bool held = false;
#ifdef _WIN32
    HANDLE handle = INVALID_HANDLE_VALUE;
    static const DWORD code = ERROR_SHARING_VIOLATION;
#else
    std::string folder;
    static const DWORD code = ERROR_ACCESS_DENIED;
#endif
};

struct ModOperationTest : ::testing::Test {
    TemporaryGame game;
    MemoryWindow window{};
    HWND handle = MemoryWindowHandle(&window);

    void SetUp() override
    {
        ClearMessages();
    }
    void TearDown() override
    {
        CloseIgnoreList();
        EndTestModes();
    }

    ModList &List(ModFolder folder)
    {
        return window.lists[folder];
    }

    void ScanBoth()
    {
        ScanInstalled(handle);
        ScanAvailable(handle);
    }
    void Rescan(ModFolder folder)
    {
        if (folder == InstalledFolder)
            ScanInstalled(handle);
        else
            ScanAvailable(handle);
    }

    int RowOf(ModFolder folder, const std::string &name)
    {
        const std::vector<ModRow> &rows = List(folder).rows;
        for (size_t i = 0; i < rows.size(); i++)
            if (rows[i].name == name)
                return (int)i;
        return -1;
    }

    // Both lists, cell by cell, and both count labels.
    std::string Lists()
    {
        std::string text;
        for (ModFolder folder : {InstalledFolder, AvailableFolder}) {
            text += folder == InstalledFolder ? "installed" : "available";
            for (const ModRow &row : List(folder).rows)
                text += "\n  " + row.name + " | " + row.sizeText + " | " + row.fullPath;
            text += "\n  count " + std::to_string(List(folder).countLabel) + "\n";
        }
        return text;
    }

    // Three mods in the operation's own folder, one in the other, scanned.
    // The one in the middle, "m.iwd", is the one to work on.
    int ThreeMods(const Operation &operation)
    {
        EXPECT_TRUE(WriteWholeFile(Folder(operation.from) + "a.iwd", "a"));
        EXPECT_TRUE(WriteWholeFile(Folder(operation.from) + "m.iwd", "the mod's bytes"));
        EXPECT_TRUE(WriteWholeFile(Folder(operation.from) + "z.iwd", "z"));
        EXPECT_TRUE(WriteWholeFile(Folder(OtherFolder(operation.from)) + "b.iwd", "b"));
        ScanBoth();
        return RowOf(operation.from, "m.iwd");
    }

    // The one message shown: an error report of `failure` owned by the main
    // window, with a reason; gives the reason.
    std::string ExpectReportOf(const char *failure)
    {
        EXPECT_EQ(recordedMessages.size(), 1u);
        if (recordedMessages.empty())
            return "";
        const RecordedMessage &message = recordedMessages[0];
        EXPECT_EQ(message.owner, handle);
        EXPECT_EQ(message.caption, ErrorCaption);
        EXPECT_EQ(message.type, (UINT)MB_ICONERROR);
        const std::string prefix = std::string(failure) + "\nReason: ";
        EXPECT_EQ(message.text.compare(0, prefix.size(), prefix), 0) << message.text;
        const std::string reason =
            message.text.substr(std::min(prefix.size(), message.text.size()));
        EXPECT_NE(reason.find_first_not_of(" \r\n"), std::string::npos) << message.text;
        return reason;
    }

    // As above, the reason being the system's text for `code`.
    void ExpectReport(const char *failure, DWORD code)
    {
        EXPECT_EQ(ExpectReportOf(failure), SystemText(code));
    }

    // The operation on `row` is refused with the system's text for `code`:
    // no file of the game folder, no row and no count changes.
    void ExpectRefused(const Operation &operation, int row, DWORD code)
    {
        const std::string lists = Lists();
        const auto files = TakeSnapshot(game.root);
        Perform(operation, handle, row);
        ExpectReport(operation.failure, code);
        EXPECT_EQ(TakeSnapshot(game.root), files);
        EXPECT_EQ(Lists(), lists);
    }
};

struct ModMoveTest : ModOperationTest, ::testing::WithParamInterface<Operation> {};
struct ModDeleteTest : ModOperationTest, ::testing::WithParamInterface<Operation> {};
struct AnyModOperationTest : ModOperationTest, ::testing::WithParamInterface<Operation> {};

} // namespace

INSTANTIATE_TEST_SUITE_P(Moves, ModMoveTest, ::testing::ValuesIn(Moves), OperationName);
INSTANTIATE_TEST_SUITE_P(Deletes, ModDeleteTest, ::testing::ValuesIn(Deletes), OperationName);
INSTANTIATE_TEST_SUITE_P(All, AnyModOperationTest, ::testing::ValuesIn(AllOperations),
                         OperationName);

// The row goes from its list and that label drops by one at once, without
// a rescan (so a file put into that folder meanwhile does not show up); the
// destination list is scanned again (so one put there does), and its label
// shows its count.
TEST_P(ModMoveTest, MovesTheModAndFollowsWithBothLists)
{
    const Operation &operation = GetParam();
    int row = ThreeMods(operation);
    const std::vector<std::string> others = Without(RowNames(List(operation.from)), "m.iwd");
    ASSERT_TRUE(WriteWholeFile("../main/late.iwd", "late"));
    ASSERT_TRUE(WriteWholeFile("mods/late.iwd", "late"));

    Perform(operation, handle, row);

    EXPECT_TRUE(recordedMessages.empty());
    EXPECT_EQ(ReadWholeFile(Folder(operation.to) + "m.iwd"), "the mod's bytes");
    EXPECT_FALSE(PathExists(Folder(operation.from) + "m.iwd"));

    EXPECT_EQ(RowNames(List(operation.from)), others);
    EXPECT_EQ(List(operation.from).countLabel, 2u);
    EXPECT_EQ(
        RowNames(List(operation.to)),
        SearchOrder(operation.to == InstalledFolder ? "..\\main\\*.iwd" : ".\\mods\\*.iwd"));

    EXPECT_EQ(List(operation.to).rows.size(), 3u);
    EXPECT_EQ(List(operation.to).countLabel, 3u);
    EXPECT_NE(RowOf(operation.to, "b.iwd"), -1);
    EXPECT_NE(RowOf(operation.to, "late.iwd"), -1);
    int moved = RowOf(operation.to, "m.iwd");
    ASSERT_NE(moved, -1);
    EXPECT_EQ(List(operation.to).rows[moved].sizeText, "15B");
    EXPECT_EQ(List(operation.to).rows[moved].fullPath,
              AbsolutePath(Folder(operation.to) + "m.iwd"));
}

// Only that list and its label change; nothing is scanned again.
TEST_P(ModDeleteTest, DeleteRemovesTheFileAndOnlyThatRow)
{
    const Operation &operation = GetParam();
    const ModFolder other = OtherFolder(operation.from);
    int row = ThreeMods(operation);
    const std::vector<std::string> others = Without(RowNames(List(operation.from)), "m.iwd");
    ASSERT_TRUE(WriteWholeFile("../main/late.iwd", "late"));
    ASSERT_TRUE(WriteWholeFile("mods/late.iwd", "late"));
    List(other).countLabel = 77;
    const std::vector<ModRow> otherRows = List(other).rows;

    Perform(operation, handle, row);

    EXPECT_TRUE(recordedMessages.empty());
    EXPECT_FALSE(PathExists(Folder(operation.from) + "m.iwd"));
    EXPECT_EQ(ReadWholeFile(Folder(operation.from) + "a.iwd"), "a");
    EXPECT_EQ(RowNames(List(operation.from)), others);
    EXPECT_EQ(List(operation.from).countLabel, 2u);

    ASSERT_EQ(List(other).rows.size(), otherRows.size());
    EXPECT_EQ(List(other).rows[0].name, "b.iwd");
    EXPECT_EQ(List(other).countLabel, 77u);
}

TEST_F(ModOperationTest, AnInstalledModThatTheIgnoreListNamesLeavesBothLists)
{
    ASSERT_TRUE(WriteWholeFile("ignore.list", "base.iwd\r\n"));
    OpenIgnoreList();
    ASSERT_TRUE(WriteWholeFile("mods/base.iwd", "base"));
    ASSERT_TRUE(WriteWholeFile("mods/other.iwd", "other"));
    ASSERT_TRUE(WriteWholeFile("../main/x.iwd", "x"));
    ScanBoth();

    InstallMod(handle, RowOf(AvailableFolder, "base.iwd"));

    EXPECT_TRUE(recordedMessages.empty());
    EXPECT_EQ(ReadWholeFile("../main/base.iwd"), "base");
    EXPECT_FALSE(PathExists("mods/base.iwd"));
    EXPECT_EQ(RowOf(InstalledFolder, "base.iwd"), -1);
    EXPECT_EQ(RowOf(AvailableFolder, "base.iwd"), -1);
    EXPECT_EQ(List(InstalledFolder).rows.size(), 1u);
    EXPECT_EQ(List(InstalledFolder).countLabel, 1u);
    EXPECT_EQ(List(AvailableFolder).rows.size(), 1u);
    EXPECT_EQ(List(AvailableFolder).countLabel, 1u);
}

// A mod of the same name in the other folder is never replaced, nor
// removed as if the failed move had left it: it was there before (and is
// of the same size, 15 bytes).
TEST_P(ModMoveTest, AnExistingDestinationFailsAndReplacesNothing)
{
    const Operation &operation = GetParam();
    int row = ThreeMods(operation);
    ASSERT_TRUE(WriteWholeFile(Folder(operation.to) + "m.iwd", "a same-size mod"));

    ExpectRefused(operation, row, ERROR_ALREADY_EXISTS);
    EXPECT_EQ(ReadWholeFile(Folder(operation.from) + "m.iwd"), "the mod's bytes");
    EXPECT_EQ(ReadWholeFile(Folder(operation.to) + "m.iwd"), "a same-size mod");
}

TEST_P(ModMoveTest, AMissingTargetFolderFailsAndKeepsTheMod)
{
    const Operation &operation = GetParam();
    int row = ThreeMods(operation);
    RemovePath(Folder(operation.to));
    const std::string lists = Lists();

    Perform(operation, handle, row);

    ExpectReport(operation.failure, ERROR_PATH_NOT_FOUND);
    EXPECT_EQ(ReadWholeFile(Folder(operation.from) + "m.iwd"), "the mod's bytes");
    EXPECT_FALSE(PathExists(Folder(operation.to)));
    EXPECT_EQ(Lists(), lists);
}

// The destination is made from the name with the other folder's prefix and
// must fit a path; a name too long for it is refused before any file is
// touched.
TEST_P(ModMoveTest, ANameTooLongForTheDestinationIsRefused)
{
    const Operation &operation = GetParam();
    int row = ThreeMods(operation);
    const size_t prefix = strlen(ModFolderPathFormat(operation.to)) - strlen("%s");
    const std::string name(MAX_PATH - prefix, 'n');
    ModListSetCell(handle, operation.from, row, NameColumn, name.c_str());

    ExpectRefused(operation, row, ERROR_FILENAME_EXCED_RANGE);
}

TEST_P(AnyModOperationTest, AModRemovedBehindTheProgramsBackFailsAndItsRowStays)
{
    const Operation &operation = GetParam();
    int row = ThreeMods(operation);
    RemovePath(Folder(operation.from) + "m.iwd");

    ExpectRefused(operation, row, ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(List(operation.from).rows[row].name, "m.iwd");
}

// A Linux folder (or a Windows one with case sensitivity) can hold two names
// that differ only in case, and Wine finds a name in another case where the
// exact one is missing: the picked file moves and its twin, of one size,
// stays, though after the move the old path reaches that twin.
TEST_P(ModMoveTest, TheModMovesAndItsCaseTwinStays)
{
    const Operation &operation = GetParam();
    const std::string from = Folder(operation.from);
    if (!HasLinuxSide())
        GTEST_SKIP() << LinuxSideMissing;
    ASSERT_TRUE(OnLinuxSide("printf 'the Twin' >" + from + "Twin.iwd && printf 'the twin' >" +
                            from + "twin.iwd"));
    ScanBoth();

    Perform(operation, handle, RowOf(operation.from, "twin.iwd"));

    EXPECT_TRUE(recordedMessages.empty());
    Snapshot files = TakeSnapshot(game.root);
    EXPECT_EQ(files[InRoot(operation.to) + "twin.iwd"], SnapshotOfBytes("the twin"));
    EXPECT_EQ(files[InRoot(operation.from) + "Twin.iwd"], SnapshotOfBytes("the Twin"));
    EXPECT_EQ(files.count(InRoot(operation.from) + "twin.iwd"), 0u);
    EXPECT_EQ(RowOf(operation.from, "twin.iwd"), -1);
    EXPECT_NE(RowOf(operation.from, "Twin.iwd"), -1);
    EXPECT_NE(RowOf(operation.to, "twin.iwd"), -1);
}

// A row whose file went behind the program's back never reaches what its
// path now finds in another case, a name holding a backslash never reaches
// the file of a sub-folder, and a name that a path would take for a stream
// never reaches a stream of another file.
TEST_P(AnyModOperationTest, ARowReachesNoOtherFileOfAnotherName)
{
    const Operation &operation = GetParam();
    const std::string from = Folder(operation.from);
    const struct {
        const char *what;
        std::string made, row, then;
        DWORD code;
    } cases[] = {
        {"a case twin", "printf 1 >" + from + "Twin.iwd && printf 2 >" + from + "twin.iwd",
         "twin.iwd", "rm " + from + "twin.iwd", ERROR_FILE_NOT_FOUND},
        {"a backslash",
         "mkdir " + from + "b && printf 1 >" + from + "b/s.iwd && printf 22 >'" + from +
             "b\\s.iwd'",
         "b\\s.iwd", "true", ERROR_INVALID_NAME},
        {"a colon", "printf 1 >" + from + "a && printf 22 >'" + from + "a:s.iwd'", "a:s.iwd",
         "true", ERROR_INVALID_NAME},
    };
    if (!HasLinuxSide())
        GTEST_SKIP() << LinuxSideMissing;
    // Under Wine the game folder's removal would take a backslash for a
    // separator, and never end.
    struct Leftovers {
        std::string folder;
        ~Leftovers()
        {
            OnLinuxSide("rm -rf " + folder + "*");
        }
    } leftovers{from};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        ClearMessages();
        ASSERT_TRUE(OnLinuxSide("rm -rf " + from + "* && " + c.made));
        ScanBoth();
        int row = RowOf(operation.from, c.row);
        ASSERT_NE(row, -1);
        ASSERT_TRUE(OnLinuxSide(c.then));

        ExpectRefused(operation, row, c.code);
    }
}

TEST_P(AnyModOperationTest, AFileThatCannotBeMovedOrDeletedFailsAndStays)
{
    const Operation &operation = GetParam();
    int row = ThreeMods(operation);
    const std::string lists = Lists();
    const auto files = TakeSnapshot(game.root);
    {
        HeldFile held(Folder(operation.from) + "m.iwd");
        if (!held.held)
            GTEST_SKIP() << "this process may change a read-only folder";
        Perform(operation, handle, row);
        ExpectReport(operation.failure, HeldFile::code);
    }
    EXPECT_EQ(TakeSnapshot(game.root), files);
    EXPECT_EQ(Lists(), lists);
}

// A name too long for its full path leaves that cell empty when scanned; the
// row is then refused with the system's text for a name too long. At 248
// characters the name is too long for a full path in either folder, yet its
// destination would still fit.
TEST_P(AnyModOperationTest, ARowWithoutAFullPathTouchesNoFile)
{
    const Operation &operation = GetParam();
    ThreeMods(operation);
    const std::string longName = std::string(244, 'n') + ".iwd";
    ASSERT_TRUE(WriteWholeFile(Folder(operation.from) + longName, "long"));
    ScanBoth();
    int row = RowOf(operation.from, longName);
    ASSERT_NE(row, -1);
    ASSERT_EQ(List(operation.from).rows[row].fullPath, "");

    ExpectRefused(operation, row, ERROR_FILENAME_EXCED_RANGE);
}

// A row whose narrow name is not its file's own has no full path: it is
// refused with the system's text for an invalid name, and neither that file
// nor the one its name looks like ("ma.iwd") is touched.
TEST_P(AnyModOperationTest, ARowWhoseNameWouldReachAnotherFileTouchesNoFile)
{
    const Operation &operation = GetParam();
#ifdef _WIN32
    const HostileName name = {L"m\x0101.iwd", false};
#else
    const HostileName name = {"m\xC4\x81.iwd", false};
#endif
    ASSERT_TRUE(WriteWholeFile(Folder(operation.from) + "ma.iwd", "the real ma.iwd"));
    HostileFile hostile(Folder(operation.from), name, "m-macron");
    ASSERT_TRUE(hostile.made);
    ListNamesByCodePage();
    ScanBoth();
    int row = -1;
    for (size_t i = 0; i < List(operation.from).rows.size(); i++)
        if (List(operation.from).rows[i].sizeText == "8B")
            row = (int)i;
    ASSERT_NE(row, -1);
    ASSERT_EQ(List(operation.from).rows[row].fullPath, "");

    ExpectRefused(operation, row, ERROR_INVALID_NAME);
}

// Between volumes a move copies the file. Onto a volume without room for it
// the copy fails part-way: the move is reported and what it wrote goes
// again, whether the volume was empty or full to its last byte.
TEST_P(ModMoveTest, AMoveOntoAFullVolumeLeavesTheDestinationAsItWas)
{
    const Operation &operation = GetParam();
    SmallVolumeGame small(operation.to == InstalledFolder ? "main" : "mods");
    if (!small.missing.empty())
        GTEST_SKIP() << small.missing;
    ASSERT_TRUE(
        WriteWholeFile(Folder(operation.from) + "big.iwd", std::string(400 * 1024, 'b')));
    ASSERT_TRUE(
        WriteWholeFile(Folder(operation.from) + "fits.iwd", std::string(64 * 1024, 'f')));
    ScanBoth();
    KeepFailedCopies();

    for (const char *name : {"big.iwd", "fits.iwd"}) {
        SCOPED_TRACE(name);
        const std::string lists = Lists();
        const auto files = TakeSnapshot(small.root);
        ClearMessages();

        Perform(operation, handle, RowOf(operation.from, name));

        ExpectReportOf(operation.failure);
        EXPECT_EQ(TakeSnapshot(small.root), files);
        EXPECT_EQ(Lists(), lists);
        ASSERT_TRUE(FillVolume(Folder(operation.to)));
    }
}

// Another program's file that takes the destination's name between the
// move's look at it and the move itself makes the move fail with "file
// exists": it is never taken for what the failed move left.
TEST_P(ModMoveTest, AFileMadeAtTheDestinationDuringTheMoveIsKept)
{
    const Operation &operation = GetParam();
    int row = ThreeMods(operation);
    const std::string lists = Lists();
    const std::string destination = Folder(operation.to) + "m.iwd";
    if (!BeforeNextMove([&] { ASSERT_TRUE(WriteWholeFile(destination, "another program's")); }))
        GTEST_SKIP() << "no hook into the system's move here";

    Perform(operation, handle, row);

    ExpectReport(operation.failure, ERROR_ALREADY_EXISTS);
    EXPECT_EQ(ReadWholeFile(destination), "another program's");
    EXPECT_EQ(ReadWholeFile(Folder(operation.from) + "m.iwd"), "the mod's bytes");
    EXPECT_EQ(Lists(), lists);
}

// A destination that could not be looked at before the move (a share that
// did not answer) is not known to have been absent: whatever lies there
// after a failed move is left alone.
TEST_P(ModMoveTest, ADestinationThatCouldNotBeLookedAtIsLeftAlone)
{
    const Operation &operation = GetParam();
    int row = ThreeMods(operation);
    const std::string destination = Folder(operation.to) + "m.iwd";
    if (!NextLooksFail(AsTheStandInNamesIt(operation.to, "m.iwd"), 1) ||
        !BeforeNextMove([&] { ASSERT_TRUE(WriteWholeFile(destination, "another program's")); },
                        EIO))
        GTEST_SKIP() << "no hook into the system's move here";

    Perform(operation, handle, row);

    ExpectReportOf(operation.failure);
    EXPECT_EQ(ReadWholeFile(destination), "another program's");
    EXPECT_EQ(ReadWholeFile(Folder(operation.from) + "m.iwd"), "the mod's bytes");
}

// A move that reports failure though the file got across (its source gone,
// the destination holding that very file) has moved it: the lists follow,
// and the only copy stays where it is.
TEST_P(ModMoveTest, AMoveReportedFailedThatTookTheFileAcrossHasMovedIt)
{
    const Operation &operation = GetParam();
    int row = ThreeMods(operation);
    const std::string from = Folder(operation.from) + "m.iwd",
                      to = Folder(operation.to) + "m.iwd";
    if (!BeforeNextMove([&] { std::filesystem::rename(from, to); }, EIO))
        GTEST_SKIP() << "no hook into the system's move here";

    Perform(operation, handle, row);

    EXPECT_TRUE(recordedMessages.empty());
    EXPECT_EQ(ReadWholeFile(to), "the mod's bytes");
    EXPECT_FALSE(PathExists(from));
    EXPECT_EQ(RowOf(operation.from, "m.iwd"), -1);
    EXPECT_NE(RowOf(operation.to, "m.iwd"), -1);
}

// A move whose outcome cannot all be looked at afterwards (a share that did
// not answer) is judged by what can be: within one volume the destination
// holding the very file is enough, whatever the old place gives; where the
// destination gives nothing the user reads why. Either way the lists show
// where the file is.
TEST_P(ModMoveTest, AMoveWhoseOutcomeCannotAllBeLookedAtIsJudgedByWhatCan)
{
    const Operation &operation = GetParam();
    for (bool oldPlace : {true, false}) {
        SCOPED_TRACE(oldPlace ? "old place" : "new place");
        RemovePath(Folder(operation.to) + "m.iwd");
        ClearMessages();
        int row = ThreeMods(operation);
        const std::string looked = oldPlace ? List(operation.from).rows[row].fullPath
                                            : AsTheStandInNamesIt(operation.to, "m.iwd");
        if (!BeforeNextMove([&] { ASSERT_TRUE(NextLooksFail(looked, 1)); }))
            GTEST_SKIP() << "no hook into the system's move here";

        Perform(operation, handle, row);

        if (oldPlace)
            EXPECT_TRUE(recordedMessages.empty());
        else
            ExpectReport(operation.failure, EIO);
        EXPECT_EQ(ReadWholeFile(Folder(operation.to) + "m.iwd"), "the mod's bytes");
        EXPECT_EQ(RowOf(operation.from, "m.iwd"), -1);
        EXPECT_NE(RowOf(operation.to, "m.iwd"), -1);
    }
}

// What a failed move left at the destination goes again only while the
// source is the very file it was made from, whatever became of its bytes;
// a source replaced by another file leaves the destination as it is.
TEST_P(ModMoveTest, AFailedMoveRemovesWhatItLeftOnlyWhileTheSourceIsTheSameFile)
{
    const Operation &operation = GetParam();
    const std::string from = Folder(operation.from) + "m.iwd",
                      to = Folder(operation.to) + "m.iwd";
    const struct {
        const char *what;
        std::function<void()> change;
        const char *left;
    } cases[] = {
        {"rewritten in place", [&] { ASSERT_TRUE(WriteWholeFile(from, "changed")); },
         MissingFile},
        {"replaced",
         [&] {
             ASSERT_TRUE(WriteWholeFile(from + ".new", "changed"));
             std::filesystem::rename(from + ".new", from);
         },
         "part"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        RemovePath(to);
        ClearMessages();
        int row = ThreeMods(operation);
        auto partlyCopied = [&] {
            ASSERT_TRUE(WriteWholeFile(to, "part"));
            c.change();
        };
        if (!BeforeNextMove(partlyCopied, EIO))
            GTEST_SKIP() << "no hook into the system's move here";

        Perform(operation, handle, row);

        ExpectReport(operation.failure, EIO);
        EXPECT_EQ(ReadWholeFile(to), c.left);
        EXPECT_EQ(ReadWholeFile(from), "changed");
    }
}

// Between volumes Windows reports a move done where it copied the file but
// could not delete the source: the copy goes again and the row stays.
TEST_P(ModMoveTest, AMoveThatLeavesTheSourceWholeIsNoMove)
{
    const Operation &operation = GetParam();
    int row = ThreeMods(operation);
    const std::string lists = Lists();
    const auto files = TakeSnapshot(game.root);
    if (!NextMoveLeavesTheSource())
        GTEST_SKIP() << "no hook into the system's move here";

    Perform(operation, handle, row);

    ExpectReport(operation.failure, ERROR_ACCESS_DENIED);
    EXPECT_EQ(TakeSnapshot(game.root), files);
    EXPECT_EQ(Lists(), lists);
}

// A copy that cannot be removed either (another program holds it) is not
// left unseen: its folder's list shows it.
TEST_P(ModMoveTest, ACopyThatCannotBeRemovedShowsInItsList)
{
    const Operation &operation = GetParam();
    int row = ThreeMods(operation);
    if (!NextMoveLeavesTheSource() ||
        !NextDeleteFails(AsTheStandInNamesIt(operation.to, "m.iwd")))
        GTEST_SKIP() << "no hook into the system's move here";

    Perform(operation, handle, row);

    ExpectReport(operation.failure, ERROR_ACCESS_DENIED);
    EXPECT_EQ(ReadWholeFile(Folder(operation.to) + "m.iwd"), "the mod's bytes");
    EXPECT_EQ(ReadWholeFile(Folder(operation.from) + "m.iwd"), "the mod's bytes");
    EXPECT_NE(RowOf(operation.from, "m.iwd"), -1);
    EXPECT_NE(RowOf(operation.to, "m.iwd"), -1);
    EXPECT_EQ(List(operation.to).countLabel, 2u);
}

// A read-only mod moved onto another volume is copied, read-only too, and
// its source cannot be deleted: the copy goes again all the same.
TEST_P(ModMoveTest, AReadOnlyModMovedOntoAnotherVolumeStaysOnlyWhereItWas)
{
    const Operation &operation = GetParam();
    SmallVolumeGame small(operation.to == InstalledFolder ? "main" : "mods");
    if (!small.missing.empty())
        GTEST_SKIP() << small.missing;
    const std::string source = Folder(operation.from) + "ro.iwd";
    ASSERT_TRUE(WriteWholeFile(source, "a read-only mod"));
    struct Writable {
        std::string path;
        ~Writable()
        {
            MakeWritable(path);
        }
    } writable{source};
    MakeReadOnly(source);
    // Wine keeps even root from deleting a read-only file; Linux does not.
    const std::string probe = Folder(operation.from) + "probe";
    ASSERT_TRUE(WriteWholeFile(probe, ""));
    MakeReadOnly(probe);
    const bool deleted = DeleteFileA(probe.c_str());
    MakeWritable(probe);
    RemovePath(probe);
    if (deleted)
        GTEST_SKIP() << "this process may delete a read-only file";
    ScanBoth();
    const std::string lists = Lists();
    const auto files = TakeSnapshot(small.root);

    Perform(operation, handle, RowOf(operation.from, "ro.iwd"));

    ExpectReportOf(operation.failure);
    EXPECT_EQ(TakeSnapshot(small.root), files);
    EXPECT_EQ(Lists(), lists);
}

// A row the scan refused because its folder changed while it was read (the
// mod grew between the listing of its names and the search) is refused until
// the next scan, and says so.
TEST_P(AnyModOperationTest, ARowRefusedWhileItsFolderChangedSaysToScan)
{
    const Operation &operation = GetParam();
    ThreeMods(operation);
    const std::string mod = Folder(operation.from) + "m.iwd";
    if (!BetweenTheNextListings(
            [&] { ASSERT_TRUE(WriteWholeFile(mod, "grown while it was read")); }))
        GTEST_SKIP() << "no hook into the scan here";
    Rescan(operation.from);
    int row = RowOf(operation.from, "m.iwd");
    ASSERT_NE(row, -1);
    ASSERT_EQ(List(operation.from).rows[row].fullPath, "");
    const std::string lists = Lists();
    const auto files = TakeSnapshot(game.root);

    Perform(operation, handle, row);

    EXPECT_EQ(ExpectReportOf(operation.failure),
              "The folder changed while it was read: use Scan.");
    EXPECT_EQ(TakeSnapshot(game.root), files);
    EXPECT_EQ(Lists(), lists);
}

// A program folder whose name the code page cannot hold ("\u0141") is named
// by the narrow calls as a look-alike's ("L", by best fit): no row gets a
// full path, every operation is refused, and nothing of an install in the
// look-alike folder beside it is touched.
TEST_F(ModOperationTest, AProgramFolderTheCodePageCannotNameReachesNoLookAlike)
{
    namespace fs = std::filesystem;
#ifdef _WIN32
    const fs::path own = fs::path(game.root) / L"\x0141ukasz";
#else
    const fs::path own = fs::path(game.root) / "\xC5\x81ukasz";
#endif
    for (const fs::path &install : {own, fs::path(game.root) / "Lukasz"}) {
        fs::create_directories(install / "main");
        fs::create_directories(install / "QuillmoorMM" / "mods");
    }
    fs::current_path(own / "QuillmoorMM");
    for (const std::string prefix : {"", "../../Lukasz/QuillmoorMM/"}) {
        ASSERT_TRUE(WriteWholeFile(prefix + "../main/x.iwd", "installed in " + prefix));
        ASSERT_TRUE(WriteWholeFile(prefix + "mods/y.iwd", "available in " + prefix));
    }
    ListNamesByCodePage();
    ScanBoth();
    ASSERT_EQ(List(InstalledFolder).rows.size(), 1u);
    ASSERT_EQ(List(AvailableFolder).rows.size(), 1u);
    EXPECT_EQ(List(InstalledFolder).rows[0].fullPath, "");
    EXPECT_EQ(List(AvailableFolder).rows[0].fullPath, "");
    const std::string lists = Lists();
    const auto files = TakeSnapshot(game.root);

    for (const Operation &operation : AllOperations) {
        SCOPED_TRACE(operation.name);
        ClearMessages();
        Perform(operation, handle, 0);
        ExpectReport(operation.failure, ERROR_INVALID_NAME);
        EXPECT_EQ(TakeSnapshot(game.root), files);
        EXPECT_EQ(Lists(), lists);
    }
}

// Where the ANSI code page is UTF-8 the narrow calls hold every name:
// "m\u0101.iwd" has its full path, and installs and uninstalls. Under Wine it
// runs with a UTF-8 locale (wine_unit_tests_utf8), natively as it is.
TEST_F(ModOperationTest, UnderAUtf8CodePageANameOutsideAsciiMoves)
{
#ifdef _WIN32
    if (GetACP() != CP_UTF8)
        GTEST_SKIP() << "the ANSI code page is " << GetACP() << ", not UTF-8";
    const HostileName name = {L"m\x0101.iwd", false};
#else
    const HostileName name = {"m\xC4\x81.iwd", false};
#endif
    const std::string narrow = "m\xC4\x81.iwd";
    HostileFile hostile("mods", name, "m-macron");
    ASSERT_TRUE(hostile.made);
    ScanBoth();
    int row = RowOf(AvailableFolder, narrow);
    ASSERT_NE(row, -1);
    EXPECT_EQ(List(AvailableFolder).rows[row].fullPath, AbsolutePath("mods/" + narrow));

    InstallMod(handle, row);
    EXPECT_TRUE(recordedMessages.empty());
    EXPECT_EQ(ReadWholeFile("../main/" + narrow), "m-macron");
    row = RowOf(InstalledFolder, narrow);
    ASSERT_NE(row, -1);
    EXPECT_EQ(List(InstalledFolder).rows[row].fullPath, AbsolutePath("../main/" + narrow));

    UninstallMod(handle, row);
    EXPECT_TRUE(recordedMessages.empty());
    EXPECT_EQ(ReadWholeFile("mods/" + narrow), "m-macron");
    EXPECT_EQ(RowOf(InstalledFolder, narrow), -1);
}

TEST_P(AnyModOperationTest, ARowIndexThatNamesNoRowDoesNothing)
{
    const Operation &operation = GetParam();
    ThreeMods(operation);
    const int count = (int)List(operation.from).rows.size();
    ASSERT_EQ(count, 3);
    const std::string lists = Lists();
    const auto files = TakeSnapshot(game.root);

    for (int row : {-1, count, count + 1, INT_MIN, INT_MAX}) {
        SCOPED_TRACE(row);
        Perform(operation, handle, row);
        EXPECT_TRUE(recordedMessages.empty());
        EXPECT_EQ(TakeSnapshot(game.root), files);
        EXPECT_EQ(Lists(), lists);
    }

    // An empty list has no row 0.
    ModListDeleteAll(handle, operation.from);
    Perform(operation, handle, 0);
    EXPECT_TRUE(recordedMessages.empty());
    EXPECT_EQ(TakeSnapshot(game.root), files);
}

namespace {

struct ErrorReportTest : ::testing::Test {
    const HWND owner = reinterpret_cast<HWND>(0x5678);
    void SetUp() override
    {
        ClearMessages();
    }

    const RecordedMessage &Report(DWORD code, const char *text)
    {
        ClearMessages();
        ReportError(owner, code, text);
        EXPECT_EQ(recordedMessages.size(), 1u);
        return recordedMessages.back();
    }
};

} // namespace

TEST_F(ErrorReportTest, JoinsTheTextAndTheSystemsTextUnchanged)
{
    for (DWORD code : {(DWORD)ERROR_FILE_NOT_FOUND, (DWORD)ERROR_ACCESS_DENIED,
                       (DWORD)ERROR_ALREADY_EXISTS}) {
        SCOPED_TRACE(code);
        const std::string system = SystemText(code);
        ASSERT_FALSE(system.empty());
        const RecordedMessage &message = Report(code, "Failed to delete the mod.");
        EXPECT_EQ(message.text, "Failed to delete the mod.\nReason: " + system);
        EXPECT_EQ(message.owner, owner);
        EXPECT_EQ(message.caption, ErrorCaption);
        EXPECT_EQ(message.type, (UINT)MB_ICONERROR);
    }
}

// Codes outside what the system knows still get a report, naming the code.
TEST_F(ErrorReportTest, ACodeWithoutSystemTextIsNamedByNumber)
{
    const struct {
        DWORD code;
        const char *reason;
    } cases[] = {
        {0x20001234, "Unknown error 0x20001234"},
        {0xDEADBEEF, "Unknown error 0xDEADBEEF"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.reason);
        ASSERT_EQ(SystemText(c.code), "");
        const RecordedMessage &message = Report(c.code, "Failed to install the mod.");
        EXPECT_EQ(message.text, std::string("Failed to install the mod.\nReason: ") + c.reason);
        EXPECT_EQ(message.caption, ErrorCaption);
        EXPECT_EQ(message.type, (UINT)MB_ICONERROR);
    }
}

#ifdef _WIN32
// No arguments are passed: the system's text is shown with its insert
// sequences as they are, instead of failing or reading missing arguments.
TEST_F(ErrorReportTest, InsertSequencesOfTheSystemsTextAreLeftAsTheyAre)
{
    for (DWORD code : {(DWORD)ERROR_MR_MID_NOT_FOUND, (DWORD)ERROR_BAD_EXE_FORMAT}) {
        SCOPED_TRACE(code);
        const std::string system = SystemText(code);
        ASSERT_NE(system.find("%1"), std::string::npos) << system;
        const RecordedMessage &message = Report(code, "Failed to uninstall the mod.");
        EXPECT_EQ(message.text, "Failed to uninstall the mod.\nReason: " + system);
    }
}
#endif

// Messages are held in 255 characters: a long reason is cut, and even a text
// longer than that is shown bounded rather than overrun.
TEST_F(ErrorReportTest, ALongMessageIsCutToItsBuffer)
{
    const std::string text(240, 't');
    const std::string joined = text + "\nReason: " + SystemText(ERROR_FILE_NOT_FOUND);
    ASSERT_GT(joined.size(), 254u);
    EXPECT_EQ(Report(ERROR_FILE_NOT_FOUND, text.c_str()).text, joined.substr(0, 254));

    const std::string tooLong(400, 'x');
    const RecordedMessage &message = Report(ERROR_FILE_NOT_FOUND, tooLong.c_str());
    EXPECT_EQ(message.text, tooLong.substr(0, 254));
    EXPECT_EQ(message.caption, ErrorCaption);
}
