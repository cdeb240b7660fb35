// Faults from outside the program: an "ignore.list" that cannot be opened or
// that another program holds, a mod archive held open, and a mod folder that
// is missing at start or goes away during the run. Each case compares a
// snapshot of the whole game folder before and after, so that only what the
// player asked for (or nothing) has changed on disk.
#include "e2e_harness.h"
#include "resource.h"

#include <gtest/gtest.h>

#include <ostream>

namespace {

const int FileMenu = 0, IgnoreListItem = 0;
const char ErrorCaption[] = "Quillmoor MM - Error";
const char LoadFailure[] =
    "Failed to load 'ignore.list'.\nCheck that it exists and is not currently in use.";
const char DeleteQuestion[] =
    "If you delete this mod it will no longer be available.\nContinue?";
const std::string IgnoreListKey = JoinPath(JoinPath("game", "QuillmoorMM"), "ignore.list");

struct FaultTest : E2eTest {
    std::vector<HANDLE> held;

    void TearDown() override
    {
        Release();
        SetFileAttributesA(game.ignoreFile.c_str(), FILE_ATTRIBUTE_NORMAL);
        E2eTest::TearDown();
    }

    // Opens a file as another program would, and keeps it open until Release.
    bool Hold(const std::string &path, DWORD access, DWORD share)
    {
        HANDLE file = CreateFileA(path.c_str(), access, share, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE) {
            ADD_FAILURE() << "cannot open " << path << ", error " << GetLastError();
            return false;
        }
        held.push_back(file);
        return true;
    }

    void Release()
    {
        for (HANDLE file : held)
            CloseHandle(file);
        held.clear();
    }

    // "Scan" from the list's context menu, opened on its empty part.
    void Scan(int list)
    {
        ASSERT_TRUE(RightClickEmpty(&program, list));
        ASSERT_TRUE(ChooseMenuItem(&program, ScanCommand));
        ExpectNoMessageBox();
    }

    // Runs the context menu's command on a row; a delete is answered Yes.
    // Gives the error report that follows.
    void RunExpectingError(int list, const std::string &name, ListCommand command,
                           const std::string &message)
    {
        ASSERT_TRUE(RightClickRow(&program, list, name));
        ASSERT_TRUE(ChooseMenuItem(&program, command));
        ShownMessageBox box;
        ASSERT_TRUE(FindMessageBox(&program, &box))
            << ListCommandName(command) << " said nothing";
        if (command == DeleteCommand) {
            ASSERT_EQ(box.text, DeleteQuestion);
            ASSERT_TRUE(AnswerMessageBox(&program, box, IDYES));
            ASSERT_TRUE(FindMessageBox(&program, &box)) << "no error after the question";
        }
        ExpectErrorReport(box, message);
        ASSERT_TRUE(AnswerMessageBox(&program, box, IDOK));
        ExpectNoMessageBox();
    }

    // "File" > "Ignore List...": the editor reports that it has no list,
    // in a message box that it owns before it is shown, and closes after OK.
    void ExpectEditorCannotLoad()
    {
        ASSERT_TRUE(ChooseMenuBarItem(&program, FileMenu, IgnoreListItem));
        HWND editor = nullptr;
        ASSERT_TRUE(WaitFor([&] {
            for (HWND candidate = nullptr;
                 (candidate = FindWindowExA(nullptr, candidate, "#32770", "Ignore List"));) {
                if (FindOwnedDialog(program, ErrorCaption, candidate)) {
                    editor = candidate;
                    return true;
                }
            }
            return false;
        })) << "no message box owned by the editor";
        EXPECT_EQ(GetWindow(editor, GW_OWNER), program.window);
        ShownMessageBox box;
        ASSERT_TRUE(FindMessageBoxOwnedBy(&program, editor, &box));
        EXPECT_EQ(box.text, LoadFailure);
        EXPECT_EQ(box.buttons, (std::vector<int>{IDOK}));
        ASSERT_TRUE(AnswerMessageBox(&program, box, IDOK));
        EXPECT_TRUE(WaitFor([&] { return !IsWindow(editor); })) << "the editor stayed open";
        EXPECT_TRUE(WaitFor([&] { return IsWindowEnabled(program.window) != FALSE; }));
        ExpectNoMessageBox();
    }

    // Opens the editor, types `entry` into it, adds it and saves.
    void AddAndSave(const std::string &entry)
    {
        ASSERT_TRUE(ChooseMenuBarItem(&program, FileMenu, IgnoreListItem));
        HWND editor = nullptr;
        ASSERT_TRUE(WaitFor([&] {
            return (editor = FindOwnedDialog(program, "Ignore List", program.window)) !=
                   nullptr;
        })) << "the editor did not open";
        HWND entries = GetDlgItem(editor, IDC_IGNORE_ENTRIES);
        LRESULT count = AskWindow(entries, LB_GETCOUNT);
        ASSERT_TRUE(ClickControl(&program, GetDlgItem(editor, IDC_IGNORE_ENTRY)));
        ASSERT_TRUE(TypeText(&program, editor, entry));
        ASSERT_TRUE(WaitFor([&] { return ControlText(editor, IDC_IGNORE_ENTRY) == entry; }))
            << "typing did not arrive";
        ASSERT_TRUE(ClickControl(&program, GetDlgItem(editor, IDC_IGNORE_ADD)));
        ASSERT_TRUE(WaitFor([&] { return AskWindow(entries, LB_GETCOUNT) == count + 1; }))
            << entry << " was not added";
        ASSERT_TRUE(ClickControl(&program, GetDlgItem(editor, IDC_IGNORE_SAVE)));
        EXPECT_TRUE(WaitFor([&] { return !IsWindow(editor); })) << "the editor stayed open";
        ExpectNoMessageBox();
    }

    // "File" > "Exit": the program closes its list and ends with 0.
    void Exit()
    {
        ASSERT_TRUE(ChooseFileExit(&program));
        DWORD code = 1;
        ASSERT_TRUE(WaitForExit(&program, &code));
        EXPECT_EQ(code, 0u);
    }
};

// "ignore.list" that the program cannot open for reading and writing at
// start: nothing is filtered for the whole run, the editor says so, and the
// file is left exactly as it was.
struct UnopenableCase : LabelledCase {
    bool readOnly; // else held by another program without sharing
};

struct UnopenableIgnoreListTest : FaultTest, ::testing::WithParamInterface<UnopenableCase> {};

TEST_P(UnopenableIgnoreListTest, NothingIsFilteredAndTheEditorSaysSo)
{
    WriteIgnoreList("hidden.iwd\n");
    AddInstalled("hidden.iwd", 10);
    AddInstalled("shown.iwd", 20);
    const Snapshot before = CaseSnapshot();
    ASSERT_FALSE(before.empty());
    const char *ignoreFile = game.ignoreFile.c_str();
    if (GetParam().readOnly) {
        ASSERT_TRUE(SetFileAttributesA(ignoreFile, FILE_ATTRIBUTE_READONLY));
        HANDLE probe =
            CreateFileA(ignoreFile, GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                        OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (probe != INVALID_HANDLE_VALUE) {
            CloseHandle(probe);
            GTEST_SKIP() << "needs an unprivileged user: this one may write a read-only file "
                            "(the e2e_fault_unprivileged test runs it as one)";
        }
    } else {
        ASSERT_TRUE(Hold(game.ignoreFile, GENERIC_READ | GENERIC_WRITE, 0));
    }
    ASSERT_TRUE(StartProgram(&program, game));
    ExpectLists({{"hidden.iwd", "10B"}, {"shown.iwd", "20B"}}, {});
    ExpectNoMessageBox();
    ASSERT_NO_FATAL_FAILURE(ExpectEditorCannotLoad());

    // Once the file could be opened, this run still holds no list.
    Release();
    ASSERT_TRUE(SetFileAttributesA(ignoreFile, FILE_ATTRIBUTE_NORMAL));
    ASSERT_NO_FATAL_FAILURE(Scan(IDC_INSTALLED_LIST));
    ExpectLists({{"hidden.iwd", "10B"}, {"shown.iwd", "20B"}}, {});

    ASSERT_NO_FATAL_FAILURE(Exit());
    EXPECT_EQ(CaseSnapshot(), before);
    EXPECT_EQ(ReadWholeFile(game.ignoreFile), "hidden.iwd\n");
}

INSTANTIATE_TEST_SUITE_P(Fault, UnopenableIgnoreListTest,
                         ::testing::Values(UnopenableCase{"ReadOnlyFile", true},
                                           UnopenableCase{"HeldWithoutSharing", false}),
                         ByLabel());

typedef FaultTest FaultIgnoreListTest;

// Another program that opens the list while this one runs, and lets others
// read and write it, stops neither the filtering nor a save.
TEST_F(FaultIgnoreListTest, HeldWithSharingAfterStartKeepsWorking)
{
    WriteIgnoreList("hidden.iwd\n");
    AddInstalled("hidden.iwd", 10);
    AddInstalled("shown.iwd", 20);
    ASSERT_TRUE(StartProgram(&program, game));
    ExpectLists({{"shown.iwd", "20B"}}, {});
    ASSERT_TRUE(Hold(game.ignoreFile, GENERIC_READ | GENERIC_WRITE,
                     FILE_SHARE_READ | FILE_SHARE_WRITE));
    Snapshot before = CaseSnapshot();
    ASSERT_FALSE(before.empty());

    ASSERT_NO_FATAL_FAILURE(Scan(IDC_INSTALLED_LIST));
    ExpectLists({{"shown.iwd", "20B"}}, {});
    ASSERT_NO_FATAL_FAILURE(AddAndSave("shown.iwd"));
    Release();
    EXPECT_EQ(ReadWholeFile(game.ignoreFile), "hidden.iwd\nshown.iwd\n");

    // The next scan reads the saved list.
    ASSERT_NO_FATAL_FAILURE(Scan(IDC_INSTALLED_LIST));
    ExpectLists({}, {});
    Snapshot after = CaseSnapshot();
    before.erase(SnapshotKey(IgnoreListKey));
    EXPECT_EQ(after.erase(SnapshotKey(IgnoreListKey)), 1u);
    EXPECT_EQ(after, before);
}

// A mod archive that another program holds open without letting it be
// deleted or renamed: every operation on it fails with the system's reason,
// and the row and the files stay as they were. Once it is let go the same
// operation does just that one move or delete.
struct LockedArchiveTest : FaultTest, ::testing::WithParamInterface<OperationCase> {};

TEST_P(LockedArchiveTest, FailsWithTheReasonAndChangesNothing)
{
    const OperationCase &c = GetParam();
    bool installed = c.list == IDC_INSTALLED_LIST;
    AddInstalled("other.iwd", 100);
    AddAvailable("other.iwd", 200);
    if (installed)
        AddInstalled("locked.iwd", 300);
    else
        AddAvailable("locked.iwd", 300);
    ASSERT_TRUE(StartProgram(&program, game));
    const std::vector<ShownRow> installedRows = Rows(IDC_INSTALLED_LIST);
    const std::vector<ShownRow> availableRows = Rows(IDC_AVAILABLE_LIST);
    ASSERT_EQ(installedRows.size() + availableRows.size(), 3u);
    const std::string inMain = JoinPath(JoinPath("game", "main"), "locked.iwd"),
                      inMods = JoinPath(JoinPath(JoinPath("game", "QuillmoorMM"), "mods"),
                                        "locked.iwd");
    std::string from = installed ? inMain : inMods;
    ASSERT_TRUE(Hold(JoinPath(game.caseFolder, from), GENERIC_READ, FILE_SHARE_READ));
    const Snapshot before = CaseSnapshot();
    ASSERT_FALSE(before.empty());

    ASSERT_NO_FATAL_FAILURE(RunExpectingError(c.list, "locked.iwd", c.command, c.message));
    EXPECT_EQ(Rows(IDC_INSTALLED_LIST), installedRows);
    EXPECT_EQ(Rows(IDC_AVAILABLE_LIST), availableRows);
    EXPECT_EQ(Label(IDC_INSTALLED_COUNT), std::to_string(installedRows.size()));
    EXPECT_EQ(Label(IDC_AVAILABLE_COUNT), std::to_string(availableRows.size()));
    EXPECT_EQ(CaseSnapshot(), before);

    Release();
    std::vector<std::string> shown;
    ASSERT_TRUE(RightClickRow(&program, c.list, "locked.iwd"));
    ASSERT_TRUE(ChooseMenuItem(&program, c.command));
    ASSERT_TRUE(AnswerAllMessageBoxes(&program, &shown));
    std::string to = c.command == DeleteCommand ? "" : installed ? inMods : inMain;
    EXPECT_EQ(CaseSnapshot(), Moved(before, from, to)) << ::testing::PrintToString(shown);
}

INSTANTIATE_TEST_SUITE_P(
    Fault, LockedArchiveTest,
    ::testing::Values(OperationCase{"Install", IDC_AVAILABLE_LIST, InstallCommand,
                                    "Failed to install the mod."},
                      OperationCase{"Uninstall", IDC_INSTALLED_LIST, UninstallCommand,
                                    "Failed to uninstall the mod."},
                      OperationCase{"DeleteInstalled", IDC_INSTALLED_LIST, DeleteCommand,
                                    "Failed to delete the mod."},
                      OperationCase{"DeleteAvailable", IDC_AVAILABLE_LIST, DeleteCommand,
                                    "Failed to delete the mod."}),
    ByLabel());

// `main` or `mods` missing at start or removed during the run: an empty list
// and "0", no message; moving a mod into the missing folder fails and leaves
// the mod where it was.
struct FolderCase : LabelledCase {
    bool mainFolder;
};

struct MissingFolderTest : FaultTest, ::testing::WithParamInterface<FolderCase> {
    std::string Folder()
    {
        return GetParam().mainFolder ? game.mainFolder : game.modsFolder;
    }
    int List()
    {
        return GetParam().mainFolder ? IDC_INSTALLED_LIST : IDC_AVAILABLE_LIST;
    }

    // The lists with `inFolder` in the case's folder and `inOther` in the
    // other one.
    void ExpectShown(const std::vector<ListedMod> &inFolder,
                     const std::vector<ListedMod> &inOther)
    {
        if (GetParam().mainFolder)
            ExpectLists(inFolder, inOther);
        else
            ExpectLists(inOther, inFolder);
    }
};

TEST_P(MissingFolderTest, MissingAtStartListsNothingUntilItIsMade)
{
    if (GetParam().mainFolder)
        AddAvailable("other.iwd", 20);
    else
        AddInstalled("other.iwd", 20);
    ASSERT_TRUE(RemoveDirectoryA(Folder().c_str()));
    ASSERT_TRUE(StartProgram(&program, game));
    ExpectShown({}, {{"other.iwd", "20B"}});
    ExpectNoMessageBox();

    ASSERT_TRUE(CreateDirectoryA(Folder().c_str(), nullptr));
    ASSERT_TRUE(MakeSizedFile(JoinPath(Folder(), "found.iwd"), 1500));
    const Snapshot before = CaseSnapshot();
    ASSERT_NO_FATAL_FAILURE(Scan(List()));
    ExpectShown({{"found.iwd", "1KB"}}, {{"other.iwd", "20B"}});
    EXPECT_EQ(CaseSnapshot(), before);
}

TEST_P(MissingFolderTest, RemovedWhileRunningScansEmptyAndMovesIntoItFail)
{
    AddInstalled("inst.iwd", 10);
    AddAvailable("avail.iwd", 20);
    ASSERT_TRUE(StartProgram(&program, game));
    ExpectLists({{"inst.iwd", "10B"}}, {{"avail.iwd", "20B"}});
    bool main = GetParam().mainFolder;
    ASSERT_TRUE(DeleteFileA(JoinPath(Folder(), main ? "inst.iwd" : "avail.iwd").c_str()));
    ASSERT_TRUE(RemoveDirectoryA(Folder().c_str()));
    const Snapshot before = CaseSnapshot();
    ASSERT_FALSE(before.empty());

    ASSERT_NO_FATAL_FAILURE(Scan(List()));
    ListedMod other = main ? ListedMod{"avail.iwd", "20B"} : ListedMod{"inst.iwd", "10B"};
    ExpectShown({}, {other});

    // The other list's mod, moved into the missing folder.
    ASSERT_NO_FATAL_FAILURE(RunExpectingError(
        main ? IDC_AVAILABLE_LIST : IDC_INSTALLED_LIST, other.name,
        main ? InstallCommand : UninstallCommand,
        main ? "Failed to install the mod." : "Failed to uninstall the mod."));
    ExpectShown({}, {other});
    EXPECT_EQ(CaseSnapshot(), before);
    EXPECT_FALSE(PathExists(Folder()));
}

INSTANTIATE_TEST_SUITE_P(Fault, MissingFolderTest,
                         ::testing::Values(FolderCase{"Main", true}, FolderCase{"Mods", false}),
                         ByLabel());

} // namespace
