// Scanning real folders into the in-memory lists.
#include "ignore_list.h"
#include "memory_mod_list.h"
#include "mod_scan.h"
#include "own_names.h"
#include "test_modes.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>

namespace {

struct ModScanTest : ::testing::Test {
    TemporaryGame game;
    MemoryWindow window{};
    HWND handle = MemoryWindowHandle(&window);

    void TearDown() override
    {
        CloseIgnoreList();
    }

    const ModList &Installed() const
    {
        return window.lists[InstalledFolder];
    }
    const ModList &Available() const
    {
        return window.lists[AvailableFolder];
    }
};

std::vector<std::string> Names(const ModList &list)
{
    std::vector<std::string> names;
    for (const ModRow &row : list.rows)
        names.push_back(row.name);
    std::sort(names.begin(), names.end());
    return names;
}

const ModRow *Find(const ModList &list, const std::string &name)
{
    for (const ModRow &row : list.rows)
        if (row.name == name)
            return &row;
    return nullptr;
}

} // namespace

TEST_F(ModScanTest, ListsTheArchivesOfBothFoldersWithSizeAndFullPath)
{
    ASSERT_TRUE(WriteWholeFile("../main/a.iwd", std::string(10, 'x')));
    ASSERT_TRUE(WriteWholeFile("../main/Big.IWD", std::string(3000, 'x')));
    ASSERT_TRUE(WriteWholeFile("../main/readme.txt", "not a mod"));
    ASSERT_TRUE(WriteWholeFile("../main/a.iwd.bak", "not a mod"));
    ASSERT_TRUE(EnsureFolder("../main/folder.iwd"));
    ASSERT_TRUE(WriteWholeFile("mods/c.iwd", std::string(1025, 'x')));
    ASSERT_TRUE(WriteWholeFile("mods/notes.iw", "not a mod"));

    ScanInstalled(handle);
    ScanAvailable(handle);

    EXPECT_EQ(Names(Installed()), (std::vector<std::string>{"Big.IWD", "a.iwd", "folder.iwd"}));
    EXPECT_EQ(Installed().countLabel, 3u);
    EXPECT_EQ(Names(Available()), (std::vector<std::string>{"c.iwd"}));
    EXPECT_EQ(Available().countLabel, 1u);
    for (const ModList *list : {&Installed(), &Available()}) {
        EXPECT_EQ(list->refills, 1);
        EXPECT_FALSE(list->refilling);
    }

    const struct {
        const ModList &list;
        const char *name, *size, *relative;
    } rows[] = {
        {Installed(), "a.iwd", "10B", "../main/a.iwd"},
        {Installed(), "Big.IWD", "2KB", "../main/Big.IWD"},
        {Available(), "c.iwd", "1KB", "mods/c.iwd"},
    };
    for (const auto &r : rows) {
        const ModRow *row = Find(r.list, r.name);
        ASSERT_NE(row, nullptr) << r.name;
        EXPECT_EQ(row->sizeText, r.size) << r.name;
        EXPECT_EQ(row->fullPath, AbsolutePath(r.relative)) << r.name;
    }
    EXPECT_EQ(Find(Installed(), "folder.iwd")->fullPath, AbsolutePath("../main/folder.iwd"));
}

TEST_F(ModScanTest, TheIgnoreListFiltersTheInstalledListOnly)
{
    // Windows' folders do not tell BASE.iwd from base.iwd; the list does.
    ASSERT_TRUE(WriteWholeFile("../main/base.iwd", "x"));
    ASSERT_TRUE(WriteWholeFile("../main/Other.iwd", "x"));
    ASSERT_TRUE(WriteWholeFile("../main/mod.iwd", "x"));
    ASSERT_TRUE(WriteWholeFile("mods/base.iwd", "x"));
    ASSERT_TRUE(WriteWholeFile("ignore.list", "base.iwd\r\nother.iwd\r\n"));
    OpenIgnoreList();

    ScanInstalled(handle);
    ScanAvailable(handle);

    EXPECT_EQ(Names(Installed()), (std::vector<std::string>{"Other.iwd", "mod.iwd"}));
    EXPECT_EQ(Installed().countLabel, 2u);
    EXPECT_EQ(Names(Available()), (std::vector<std::string>{"base.iwd"}));
}

TEST_F(ModScanTest, WithoutAnIgnoreListNothingIsFiltered)
{
    ASSERT_TRUE(WriteWholeFile("../main/base.iwd", "x"));
    ASSERT_TRUE(WriteWholeFile("ignore.list", "base.iwd\n"));
    // Not opened: no stream is held.
    ScanInstalled(handle);
    EXPECT_EQ(Names(Installed()), (std::vector<std::string>{"base.iwd"}));
}

TEST_F(ModScanTest, ARescanFollowsTheFolderAndLeavesTheOtherListAlone)
{
    ASSERT_TRUE(WriteWholeFile("../main/a.iwd", "x"));
    ASSERT_TRUE(WriteWholeFile("mods/b.iwd", "x"));
    ScanInstalled(handle);
    ScanAvailable(handle);

    ASSERT_TRUE(WriteWholeFile("../main/new.iwd", "x"));
    RemovePath("../main/a.iwd");
    RemovePath("mods/b.iwd");
    ScanInstalled(handle);

    EXPECT_EQ(Names(Installed()), (std::vector<std::string>{"new.iwd"}));
    EXPECT_EQ(Installed().countLabel, 1u);
    EXPECT_EQ(Names(Available()), (std::vector<std::string>{"b.iwd"}));
    EXPECT_EQ(Available().countLabel, 1u);

    ScanAvailable(handle);
    EXPECT_TRUE(Available().rows.empty());
    EXPECT_EQ(Available().countLabel, 0u);
}

TEST_F(ModScanTest, AMissingFolderGivesAnEmptyList)
{
    ASSERT_TRUE(WriteWholeFile("mods/b.iwd", "x"));
    ScanAvailable(handle);
    RemovePath("../main");
    RemovePath("mods");
    window.lists[InstalledFolder].countLabel = 99;

    ScanInstalled(handle);
    ScanAvailable(handle);
    EXPECT_TRUE(Installed().rows.empty());
    EXPECT_EQ(Installed().countLabel, 0u);
    EXPECT_TRUE(Available().rows.empty());
    EXPECT_EQ(Available().countLabel, 0u);
}

TEST_F(ModScanTest, ASizeOfFourGibibytesAndMoreWrapsAround)
{
    const std::string path = "mods/huge.iwd";
    ASSERT_TRUE(WriteWholeFile(path, ""));
    std::error_code error;
    std::filesystem::resize_file(path, (1ull << 32) + 10, error);
    if (error)
        GTEST_SKIP() << "cannot make a sparse file of 4 GiB here";
    ScanAvailable(handle);
    ASSERT_EQ(Available().rows.size(), 1u);
    EXPECT_EQ(Available().rows[0].sizeText, "10B");
}

// Every name of a folder of many is found in the wide listing, whatever
// order the folder lists them in.
TEST_F(ModScanTest, EveryNameOfALargeFolderHasItsFullPath)
{
    for (char first = 'a'; first <= 'z'; first++)
        for (char second : {'a', 'b', 'c'})
            ASSERT_TRUE(WriteWholeFile(std::string("mods/") + first + second + ".iwd", "x"));
    ScanAvailable(handle);
    ASSERT_EQ(Available().rows.size(), 78u);
    for (const ModRow &row : Available().rows)
        EXPECT_EQ(row.fullPath, AbsolutePath("mods/" + row.name));
}

// A name too long for its full path keeps its own name and size and shows no
// path rather than another file's; the rows beside it are untouched.
TEST_F(ModScanTest, ANameTooLongForItsPathNeverShowsAnotherPath)
{
    const std::string longName = std::string(250, 'n') + ".iwd";
    ASSERT_TRUE(WriteWholeFile("../main/a.iwd", "x"));
    ASSERT_TRUE(WriteWholeFile("../main/" + longName, "xx"));
    ASSERT_TRUE(WriteWholeFile("../main/z.iwd", "xxx"));

    ScanInstalled(handle);

    ASSERT_EQ(Installed().rows.size(), 3u);
    EXPECT_EQ(Installed().countLabel, 3u);
    const ModRow *row = Find(Installed(), longName);
    ASSERT_NE(row, nullptr);
    EXPECT_EQ(row->sizeText, "2B");
    EXPECT_EQ(row->fullPath, "");
    EXPECT_EQ(Find(Installed(), "a.iwd")->fullPath, AbsolutePath("../main/a.iwd"));
    EXPECT_EQ(Find(Installed(), "z.iwd")->fullPath, AbsolutePath("../main/z.iwd"));
}

TEST_F(ModScanTest, NamesWithSpacesDotsAndHighBytesAreListed)
{
    const std::vector<std::string> names = {"my mod.iwd", "v1.2.3.iwd", ".hidden.iwd",
                                            "caf\xC3\xA9.iwd"};
    for (const std::string &name : names)
        ASSERT_TRUE(WriteWholeFile("mods/" + name, "x"));
    ScanAvailable(handle);
    std::vector<std::string> expected = names;
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(Names(Available()), expected);
    for (const std::string &name : names)
        EXPECT_EQ(Find(Available(), name)->fullPath, AbsolutePath("mods/" + name));
}

// A name whose narrow form would make a path to another file is listed as
// the search gives it, with its size, and no full path; the file its name
// looks like keeps its own. Each case: the file of that name ("xx") beside
// the file its narrow name would reach ("x").
TEST_F(ModScanTest, ANameThatWouldReachAnotherFileHasNoFullPath)
{
    const struct {
        const char *what;
        HostileName name;
        const char *twin;
    } cases[] = {
#ifdef _WIN32
        {"best fit of a macron", {L"m\x0101.iwd", false}, "ma.iwd"},
        {"best fit of a Greek capital", {L"m\x03A9.iwd", false}, "mO.iwd"},
        {"best fit of fullwidth letters", {L"\xFF46\xFF57.iwd", false}, "fw.iwd"},
        {"a default character", {L"m\x65E5.iwd", false}, "m.iwd"},
        {"a final dot", {L"mdot.iwd.", true}, "mdot.iwd"},
        {"a final space", {L"msp.iwd ", true}, "msp.iwd"},
#else
        {"best fit of a macron", {"m\xC4\x81.iwd", false}, "ma.iwd"},
        {"a default character", {"m\xE6\x97\xA5.iwd", false}, "m.iwd"},
#endif
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        RemovePath("mods");
        ASSERT_TRUE(EnsureFolder("mods"));
        HostileFile hostile("mods", c.name, "xx");
        if (!hostile.made)
            continue;
        ASSERT_TRUE(WriteWholeFile(std::string("mods/") + c.twin, "x"));
        ListNamesByCodePage();
        ScanAvailable(handle);
        EndTestModes();

        ASSERT_EQ(Available().rows.size(), 2u);
        EXPECT_EQ(Available().countLabel, 2u);
        for (const ModRow &row : Available().rows) {
            SCOPED_TRACE(row.name);
            if (row.sizeText == "1B") {
                EXPECT_EQ(row.name, c.twin);
                EXPECT_EQ(row.fullPath, AbsolutePath(std::string("mods/") + c.twin));
            } else {
                EXPECT_EQ(row.sizeText, "2B");
                EXPECT_EQ(row.fullPath, "");
            }
        }
    }
}

#ifndef _WIN32
// Linux allows a backslash in a file name, and Wine lists it; Win32 paths
// take it for a separator, so the name "x\..\b.iwd" would make the path of
// mods/b.iwd, and a move or delete of its row would act on that other file.
TEST_F(ModScanTest, ANameWithABackslashIsListedWithoutAFullPath)
{
    ASSERT_TRUE(WriteWholeFile("mods/b.iwd", "x"));
    ASSERT_TRUE(WriteWholeFile("mods/x\\..\\b.iwd", "xx"));
    ASSERT_TRUE(WriteWholeFile("../main/..\\QuillmoorMM\\mods\\b.iwd", "xxx"));
    ASSERT_TRUE(WriteWholeFile("../main/a.iwd", "x"));

    ScanAvailable(handle);
    ScanInstalled(handle);

    ASSERT_EQ(Names(Available()), (std::vector<std::string>{"b.iwd", "x\\..\\b.iwd"}));
    EXPECT_EQ(Find(Available(), "b.iwd")->fullPath, AbsolutePath("mods/b.iwd"));
    EXPECT_EQ(Find(Available(), "x\\..\\b.iwd")->sizeText, "2B");
    EXPECT_EQ(Find(Available(), "x\\..\\b.iwd")->fullPath, "");
    EXPECT_EQ(Available().countLabel, 2u);
    ASSERT_EQ(Names(Installed()),
              (std::vector<std::string>{"..\\QuillmoorMM\\mods\\b.iwd", "a.iwd"}));
    EXPECT_EQ(Find(Installed(), "..\\QuillmoorMM\\mods\\b.iwd")->fullPath, "");
    EXPECT_EQ(Find(Installed(), "a.iwd")->fullPath, AbsolutePath("../main/a.iwd"));
}
#endif

// Each narrow entry is matched to the wide listing by name and size: a file
// added, grown (a mod being copied in) or removed between the two listings
// is refused alone, and no entry beside it.
TEST_F(ModScanTest, AFolderChangingBetweenTheTwoListingsAffectsOnlyWhatChanged)
{
    for (const char *name : {"a.iwd", "b.iwd", "c.iwd", "d.iwd"})
        ASSERT_TRUE(WriteWholeFile(std::string("mods/") + name, name));
    OwnNameCheck check;
    BeginOwnNames(&check, ".\\mods\\*.iwd");
    ASSERT_TRUE(WriteWholeFile("mods/added.iwd", "added"));
    ASSERT_TRUE(WriteWholeFile("mods/b.iwd", "grown while it is copied in"));
    RemovePath("mods/c.iwd");

    std::map<std::string, OwnPath> own;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(".\\mods\\*.iwd", &found);
    ASSERT_NE(search, INVALID_HANDLE_VALUE);
    do
        own[found.cFileName] = CheckOwnPath(
            &check, &found, AbsolutePath(std::string("mods/") + found.cFileName).c_str());
    while (FindNextFileA(search, &found));
    FindClose(search);
    EndOwnNames(&check);

    EXPECT_EQ(own, (std::map<std::string, OwnPath>{{"a.iwd", PathIsOwn},
                                                   {"added.iwd", EntryUnlisted},
                                                   {"b.iwd", EntryUnlisted},
                                                   {"d.iwd", PathIsOwn}}));
}

// A file added between the two listings whose narrow name is another
// file's ("m\u0101.iwd" listed as "ma.iwd") is never taken for that file,
// whichever of the two the narrow search lists first.
TEST_F(ModScanTest, AFileAddedMeanwhileUnderAnotherFilesNarrowNameIsNotOwn)
{
    ASSERT_TRUE(WriteWholeFile("mods/ma.iwd", "x"));
    ListNamesByCodePage();
    OwnNameCheck check;
    BeginOwnNames(&check, ".\\mods\\*.iwd");
#ifdef _WIN32
    HostileFile hostile("mods", {L"m\x0101.iwd", false}, "xx");
#else
    HostileFile hostile("mods", {"m\xC4\x81.iwd", false}, "xx");
#endif
    ASSERT_TRUE(hostile.made);

    std::map<DWORD, OwnPath> ownBySize;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(".\\mods\\*.iwd", &found);
    ASSERT_NE(search, INVALID_HANDLE_VALUE);
    do
        ownBySize[found.nFileSizeLow] = CheckOwnPath(
            &check, &found, AbsolutePath(std::string("mods/") + found.cFileName).c_str());
    while (FindNextFileA(search, &found));
    FindClose(search);
    EndOwnNames(&check);
    EndTestModes();

    EXPECT_EQ(ownBySize, (std::map<DWORD, OwnPath>{{1, PathIsOwn}, {2, EntryUnlisted}}));
}

// A program folder whose name has no narrow form ("\u65E5", shown as "?")
// makes a path that reaches nothing: no row gets it.
TEST_F(ModScanTest, AProgramFolderWithoutANarrowNameGivesNoFullPath)
{
    namespace fs = std::filesystem;
#ifdef _WIN32
    const fs::path own = fs::path(game.root) / L"\x65E5";
#else
    const fs::path own = fs::path(game.root) / "\xE6\x97\xA5";
#endif
    fs::create_directories(own / "QuillmoorMM" / "mods");
    fs::current_path(own / "QuillmoorMM");
    ASSERT_TRUE(WriteWholeFile("mods/x.iwd", "x"));
    ListNamesByCodePage();
    ScanAvailable(handle);
    EndTestModes();

    ASSERT_EQ(Available().rows.size(), 1u);
    EXPECT_EQ(Available().rows[0].fullPath, "");
}

#ifdef _WIN32
// The exact conversion asks each code page only what it allows: the UTF-8
// code pages fail the call outright on WC_NO_BEST_FIT_CHARS or a
// used-default pointer (Wine does not), and then no name would be own.
TEST(ExactConversionTest, EachCodePageIsAskedOnlyWhatItAllows)
{
    const struct {
        UINT codePage;
        DWORD flags;
        bool asksUsedDefault;
    } cases[] = {
        {1252, WC_NO_BEST_FIT_CHARS, true},
        {932, WC_NO_BEST_FIT_CHARS, true},
        {CP_UTF8, 0x80 /* WC_ERR_INVALID_CHARS */, false},
        {54936, 0x80, false},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.codePage);
        const ExactConversion how = ExactConversionFor(c.codePage);
        EXPECT_EQ(how.flags, c.flags);
        EXPECT_EQ(how.asksUsedDefault, c.asksUsedDefault);
    }
}
#endif
