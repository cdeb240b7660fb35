// What the program finds on disk, worked through its real window: odd and
// long names, thousands of archives, and files that change behind its back.
// Every case compares a snapshot of the whole game folder before and after:
// only the change the player asked for may happen.
#include "case_script.h"
#include "e2e_harness.h"
#include "resource.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <stdio.h>
#include <string.h>

namespace {

typedef E2eTest FolderCase;

// The longest names need a short game folder: "C:\q" with the program in
// "C:\q\p", so that the longest name each folder handles still makes a full
// path of at most 259 characters.
struct LongNameTest : E2eTest {
    std::vector<std::string> made;

    void SetUp() override
    {
        game.caseFolder = "C:\\q";
        game.root = "C:\\q";
        game.mainFolder = "C:\\q\\main";
        game.programFolder = "C:\\q\\p";
        game.modsFolder = "C:\\q\\p\\mods";
        game.ignoreFile = "C:\\q\\p\\ignore.list";
        RemoveGameLayout(game); // left by a run that was killed
        for (const std::string &folder :
             {game.root, game.mainFolder, game.programFolder, game.modsFolder})
            ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr)) << folder;
        ASSERT_TRUE(WriteWholeFile(game.ignoreFile, ""));
    }

    void TearDown() override
    {
        StopProgram(&program);
        for (const std::string &path : made)
            DeleteLongPath(path);
        E2eTest::TearDown();
    }

    void Make(const std::string &folder, const std::string &name, const std::string &bytes)
    {
        std::string path = JoinPath(folder, name);
        HANDLE file = OpenLongPath(path, GENERIC_WRITE, 0, CREATE_NEW);
        ASSERT_NE(file, INVALID_HANDLE_VALUE) << path << ", error " << GetLastError();
        DWORD written = 0;
        BOOL ok = WriteFile(file, bytes.data(), (DWORD)bytes.size(), &written, nullptr);
        CloseHandle(file);
        ASSERT_TRUE(ok && written == bytes.size());
        for (const std::string &other : {game.mainFolder, game.modsFolder})
            made.push_back(JoinPath(other, name));
    }

    std::vector<ShownRow> SortedRows(int list)
    {
        std::vector<ShownRow> rows = Rows(list);
        std::sort(rows.begin(), rows.end(),
                  [](const ShownRow &a, const ShownRow &b) { return a.name < b.name; });
        return rows;
    }
};

// A name of `length` characters ending in ".iwd", told apart by its letter.
std::string NameOf(char letter, size_t length)
{
    return std::string(length - 4, letter) + ".iwd";
}

TEST_F(LongNameTest, TheLongestNamesMoveAndLongerOnesAreListedButNeverTouched)
{
    // Handled: 246 characters in main, 247 in mods. Longer ones, up to the
    // 255 a file system allows, are listed without a full path.
    const std::string main246 = NameOf('a', 246), main247 = NameOf('b', 247),
                      main255 = NameOf('c', 255), mods247 = NameOf('d', 247),
                      mods248 = NameOf('e', 248), mods255 = NameOf('f', 255);
    Make(game.mainFolder, main246, "246 in main");
    Make(game.mainFolder, main247, "247 in main");
    Make(game.mainFolder, main255, "255 in main");
    Make(game.modsFolder, mods247, "247 in mods");
    Make(game.modsFolder, mods248, "248 in mods");
    Make(game.modsFolder, mods255, "255 in mods");
    CaseSteps steps(this);
    ASSERT_NO_FATAL_FAILURE(steps("start"));

    const std::string mainPath = "C:\\q\\main\\", modsPath = "C:\\q\\p\\mods\\";
    ASSERT_EQ((mainPath + main246).size(), 256u);
    ASSERT_EQ((modsPath + mods247).size(), 259u);
    EXPECT_EQ(SortedRows(IDC_INSTALLED_LIST),
              (std::vector<ShownRow>{{main246, "11B", mainPath + main246},
                                     {main247, "11B", ""},
                                     {main255, "11B", ""}}));
    EXPECT_EQ(SortedRows(IDC_AVAILABLE_LIST),
              (std::vector<ShownRow>{{mods247, "11B", modsPath + mods247},
                                     {mods248, "11B", ""},
                                     {mods255, "11B", ""}}));
    // Three folders, ignore.list and the six mods.
    ASSERT_NO_FATAL_FAILURE(steps("mark 10"));

    // Rows without a full path are refused with a reason, Delete's without
    // its question; nothing moves.
    steps("menu main " + main255 + " | Uninstall | error Uninstall | menu mods " + mods248 +
          " | Install | error Install | menu mods " + mods255 + " | Delete | error Delete" +
          " | menu main " + main247 + " | Delete | error Delete | same");

    // The longest name of main goes to mods and back.
    steps("menu main " + main246 + " | Uninstall | quiet | moved main " + main246 +
          " mods | same | rows mods 4 | menu mods " + main246 +
          " | Install | quiet | moved mods " + main246 + " main | same");
    EXPECT_EQ(Label(IDC_INSTALLED_COUNT), "3");
    EXPECT_EQ(Label(IDC_AVAILABLE_COUNT), "3");

    // The longest name of mods fits the destination buffer and moves into
    // main, where it is one character past what that folder handles: it is
    // listed without a full path and cannot be taken out by the program.
    steps("menu mods " + mods247 + " | Install | quiet | moved mods " + mods247 +
          " main | same");
    std::vector<ShownRow> installed = SortedRows(IDC_INSTALLED_LIST);
    ASSERT_EQ(installed.size(), 4u);
    EXPECT_EQ(installed[3], (ShownRow{mods247, "11B", ""}));
    steps("menu main " + mods247 + " | Uninstall | error Uninstall | same | menu main " +
          main246 + " | Delete | ask yes | quiet | gone main " + main246 + " | same");
    EXPECT_EQ(Label(IDC_INSTALLED_COUNT), "3");
    EXPECT_EQ(Label(IDC_AVAILABLE_COUNT), "2");
}

// One folder of the case with thousands of archives, as
// thousands_of_archives.def describes it.
struct SeedFolder {
    const char *part; // "main" or "mods"
    const char *nameFormat;
    int count;
    char fill;
    int sizeModulus;
};

const SeedFolder SeedFolders[] = {
#define ARCHIVES(part, nameFormat, count, fill, sizeModulus)                                   \
    {part, nameFormat, count, fill, sizeModulus},
#include "thousands_of_archives.def"
#undef ARCHIVES
};

const SeedFolder *FindSeedFolder(const char *part)
{
    for (const SeedFolder &seed : SeedFolders) {
        if (strcmp(seed.part, part) == 0)
            return &seed;
    }
    return nullptr;
}

std::vector<std::string> SeedNames(const SeedFolder &seed)
{
    std::vector<std::string> names;
    char name[64];
    for (int i = 0; i < seed.count; ++i) {
        snprintf(name, sizeof name, seed.nameFormat, i);
        names.push_back(name);
    }
    return names;
}

// Moves a folder that quill_e2e_seed made ready ($QUILL_E2E_SEED\<part>) into the
// place of `folder`. False where there is none to take.
bool TakeSeedFolder(const char *part, const std::string &folder)
{
    char seed[MAX_PATH];
    DWORD length = GetEnvironmentVariableA("QUILL_E2E_SEED", seed, sizeof seed);
    if (length == 0 || length >= sizeof seed)
        return false;
    std::string from = JoinPath(seed, part);
    return PathExists(from) && RemoveDirectoryA(folder.c_str()) &&
           MoveFileA(from.c_str(), folder.c_str());
}

// The seed folder's archives in `folder`: taken from quill_e2e_seed where it made
// them, else made here, which under Wine takes most of a minute.
bool LayOutSeedFolder(const SeedFolder &seed, const std::string &folder)
{
    if (TakeSeedFolder(seed.part, folder))
        return true;
    std::vector<std::string> names = SeedNames(seed);
    for (int i = 0; i < seed.count; ++i) {
        if (!WriteWholeFile(JoinPath(folder, names[i]),
                            std::string(i % seed.sizeModulus, seed.fill))) {
            ADD_FAILURE() << "cannot write " << names[i] << " in " << folder;
            return false;
        }
    }
    return true;
}

// 10,000 archives in mods and 1,000 in main with 500 ignore entries, half
// of which name archives in main.
TEST_F(FolderCase, ThousandsOfArchivesStayCorrectThroughEveryOperation)
{
    std::string ignore;
    std::set<std::string> installed, available;
    char name[32];
    const SeedFolder *mainSeed = FindSeedFolder("main"), *modsSeed = FindSeedFolder("mods");
    ASSERT_TRUE(mainSeed && modsSeed) << "thousands_of_archives.def lacks main or mods";
    ASSERT_TRUE(LayOutSeedFolder(*mainSeed, game.mainFolder));
    ASSERT_TRUE(LayOutSeedFolder(*modsSeed, game.modsFolder));
    std::vector<std::string> mainNames = SeedNames(*mainSeed);
    ASSERT_EQ(mainNames.size(), 1000u);
    for (size_t i = 0; i < mainNames.size(); ++i) {
        if (i % 4 == 0)
            ignore += mainNames[i] + "\n";
        else
            installed.insert(mainNames[i]);
    }
    for (int i = 0; i < 249; ++i) {
        snprintf(name, sizeof name, "pak%04d.iwd", i);
        ignore += std::string(name) + "\r\n";
    }
    ignore += "mod00042.iwd\n";
    for (const std::string &archive : SeedNames(*modsSeed))
        available.insert(archive);
    ASSERT_EQ(available.size(), 10000u);
    WriteIgnoreList(ignore);
    CaseSteps steps(this);
    // The archives, four folders and ignore.list.
    ASSERT_NO_FATAL_FAILURE(steps("mark 11005 | start"));

    auto expectNames = [&](const char *step) {
        SCOPED_TRACE(step);
        for (int list : {IDC_INSTALLED_LIST, IDC_AVAILABLE_LIST}) {
            const std::set<std::string> &names =
                list == IDC_INSTALLED_LIST ? installed : available;
            std::vector<std::string> shown;
            EXPECT_TRUE(ReadNames(&program, list, &shown));
            EXPECT_EQ(std::set<std::string>(shown.begin(), shown.end()), names);
            EXPECT_EQ(shown.size(), names.size()) << "a name shown twice";
            EXPECT_EQ(
                Label(list == IDC_INSTALLED_LIST ? IDC_INSTALLED_COUNT : IDC_AVAILABLE_COUNT),
                std::to_string(names.size()));
        }
    };
    expectNames("start");
    EXPECT_EQ(installed.size(), 750u);

    // Far down each list, scrolled into view to be clicked. An ignored name,
    // once installed, is in neither list.
    steps(
        "menu mods mod09876.iwd | Install | quiet | menu main main0999.iwd | Uninstall | quiet"
        " | menu mods mod05000.iwd | Delete | ask yes | quiet | menu mods mod00042.iwd"
        " | Install | quiet");
    available.erase("mod09876.iwd");
    installed.insert("mod09876.iwd");
    installed.erase("main0999.iwd");
    available.insert("main0999.iwd");
    available.erase("mod05000.iwd");
    available.erase("mod00042.iwd");
    expectNames("after the operations");
    steps("menu main main0002.iwd | Scan | menu mods mod00002.iwd | Scan");
    expectNames("after a rescan");

    steps("moved mods mod09876.iwd main | moved main main0999.iwd mods | gone mods mod05000.iwd"
          " | moved mods mod00042.iwd main | same");
}

#define PICKED_LAYOUT                                                                          \
    "text $1 picked.iwd the picked mod | add main 3 main-a.iwd | add main 3 main-z.iwd"        \
    " | add mods 4 mods-a.iwd | add mods 4 mods-z.iwd | start | click $1 picked.iwd"
// Each command on the picked row; a delete's question answered Yes.
const std::vector<ScriptRow> Operations = {
    {"Install", {"mods", "Install", "main"}},
    {"Uninstall", {"main", "Uninstall", "mods"}},
    {"DeleteInstalled", {"main", "Delete", "mods", "ask yes"}},
    {"DeleteAvailable", {"mods", "Delete", "main", "ask yes"}},
};

// The rows of the table are laid out by hand, one to a line where it fits.
// clang-format off
const bool Registered = RegisterScriptedSuites({
    // Names with spaces, dots, capitals and bytes above 0x7F are listed,
    // moved both ways and deleted under exactly their own name.
    {"Each/OddNameCase", "IsListedMovedBothWaysAndDeleted",
     "add mods 1500 $1 | add mods 7 other.iwd | add main 9 base.iwd | start"
     " | lists base.iwd 9B / $1 1KB, other.iwd 7B | mark"
     " | menu mods $1 | Install | quiet | lists base.iwd 9B, $1 1KB / other.iwd 7B"
     " | moved mods $1 main | same | menu main $1 | Uninstall | quiet"
     " | lists base.iwd 9B / $1 1KB, other.iwd 7B | moved main $1 mods | same"
     " | menu mods $1 | Delete | ask yes | quiet | lists base.iwd 9B / other.iwd 7B"
     " | gone mods $1 | same",
     {{"Spaces", {" leading and  double spaces.iwd"}},
      {"Dots", {"v1.2..beta...iwd"}},
      {"Capitals", {"LOUD.IWD"}},
      {"HighBytes", {"caf\xe9 \xfc\xdf \xa9.iwd"}},
      {"Punctuation", {"a,b;c=d+e[f]g{h}i'j!k#l$m%n&o(p)q~.iwd"}}}},

    // Files that change behind the program's back after the player picked a
    // row (picked.iwd in $1, other files in both): gone since, or a file of
    // its name made in the other folder. The command then runs on the
    // recorded row.
    {"Each/ExternalChangeTest", "APickedFileGoneSinceIsReportedAndNothingElseMoves",
     PICKED_LAYOUT " | remove $1 picked.iwd | add main 5 main-new.iwd | add mods 6 mods-new.iwd"
                   " | mark | menu $1 | $2 | $4 | error $2 | same | rows $1 3",
     Operations},
    // Install and uninstall only: a delete has no destination.
    {"Each/ExternalMoveTest", "AFileOfTheSameNameMadeInTheOtherFolderIsNeverReplaced",
     PICKED_LAYOUT " | text $3 picked.iwd made by someone else | mark | menu $1 | $2"
                   " | error $2 | same | content $1 picked.iwd the picked mod"
                   " | content $3 picked.iwd made by someone else",
     {{"Install", {"mods", "Install", "main"}}, {"Uninstall", {"main", "Uninstall", "mods"}}}},
    // Names that come before the picked one in both folders, and the picked
    // file gone: every row index now names another file. A stale row is
    // refused before any question.
    {"Each/ExternalChangeTest", "AfterBothFoldersChangeAndAreRescannedTheOldPickIsLeftAlone",
     PICKED_LAYOUT " | remove $1 picked.iwd | add main 1 0first.iwd | add mods 2 0first.iwd"
                   " | add main 1 1second.iwd | add mods 2 1second.iwd | menu main | Scan"
                   " | menu mods | Scan | unfocused $1 | mark | menu $1 | $2 | answer-all"
                   " | none-shown | same | rows main 4 | rows mods 4",
     Operations},
});
// clang-format on

} // namespace
