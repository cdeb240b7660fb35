// The ignore-list store: its reading rules, its match rule, and saving.
#include "entry_source.h"
#include "ignore_list.h"
#include "linux_side.h"
#include "recorded_message_box.h"
#include "test_modes.h"
#include "test_support.h"

#include <gtest/gtest.h>

namespace {

const HWND Editor = reinterpret_cast<HWND>(0x1234);

std::vector<std::string> LoadAll()
{
    std::vector<std::string> entries;
    bool loaded = LoadIgnoreEntries(
        [](const char *entry, void *context) {
            static_cast<std::vector<std::string> *>(context)->push_back(entry);
        },
        &entries);
    EXPECT_TRUE(loaded);
    return entries;
}

struct IgnoreListTest : ::testing::Test {
    TemporaryGame game;
    void SetUp() override
    {
        ClearMessages();
    }
    void TearDown() override
    {
        CloseIgnoreList();
        EndTestModes();
    }

    // The one message of a failed save.
    void ExpectSaveFailure()
    {
        ASSERT_EQ(recordedMessages.size(), 1u);
        EXPECT_EQ(recordedMessages[0].owner, Editor);
        EXPECT_EQ(recordedMessages[0].text, "Failed to save 'ignore.list'.");
        EXPECT_EQ(recordedMessages[0].caption, "Quillmoor MM - Error");
        EXPECT_EQ(recordedMessages[0].type, (UINT)MB_ICONERROR);
    }
};

// A list of `count` entries of 30 characters, as bytes on disk.
std::string ListOf(int count, char letter)
{
    std::string bytes;
    for (int i = 0; i < count; i++)
        bytes += std::string(20, letter) + std::to_string(1000000 + i) + ".iwd\n";
    return bytes;
}

struct ReadCase {
    const char *what;
    std::string bytes;
    std::vector<std::string> entries;
};

const std::string A253(253, 'a'), A254(254, 'a');

const ReadCase ReadCases[] = {
    {"empty file", "", {}},
    {"line feeds", "a.iwd\nb.iwd\n", {"a.iwd", "b.iwd"}},
    {"carriage return and line feed read as one line feed",
     "a.iwd\r\nb.iwd\r\n",
     {"a.iwd", "b.iwd"}},
    {"a lone carriage return stays in the entry", "a\rb.iwd\nc\r", {"a\rb.iwd", "c\r"}},
    {"last line without a line feed", "a.iwd\nlast.iwd", {"a.iwd", "last.iwd"}},
    {"empty lines are empty entries", "\n\na.iwd\n\n", {"", "", "a.iwd", ""}},
    {"Ctrl-Z in the middle ends the reading", "a.iwd\nb.i\x1Awd\nc.iwd\n", {"a.iwd", "b.i"}},
    {"carriage return before Ctrl-Z",
     "a\r\x1A"
     "b\n",
     {"a\r"}},
    {"253 characters and a line feed are one entry", A253 + "\nb\n", {A253, "b"}},
    {"253 characters, CR and LF are one entry", A253 + "\r\nb\r\n", {A253, "b"}},
    {"254 characters and a line feed: the entry, then an empty one",
     A254 + "\nb\n",
     {A254, "", "b"}},
    {"255 characters: 254, then 1", A254 + "z\n", {A254, "z"}},
    {"300 characters: 254, then 46",
     std::string(300, 'q') + "\n",
     {std::string(254, 'q'), std::string(46, 'q')}},
    {"bytes above 0x7F pass unchanged", "\xE9t\xE9.iwd\n", {"\xE9t\xE9.iwd"}},
};

} // namespace

TEST_F(IgnoreListTest, ReadsEntriesByTheTextRules)
{
    for (const ReadCase &c : ReadCases) {
        SCOPED_TRACE(c.what);
        ASSERT_TRUE(WriteWholeFile("ignore.list", c.bytes));
        OpenIgnoreList();
        EXPECT_EQ(LoadAll(), c.entries);
        CloseIgnoreList();
    }
}

// Long lists are read in large pieces: a line end, a carriage return or a
// Ctrl-Z that falls on either side of a piece's edge reads as anywhere else.
// The edges are swept over every multiple of 4 KiB up to 48 KiB.
TEST_F(IgnoreListTest, ReadsLongListsTheSameWhereverTheLineEndsFall)
{
    const std::string Filler(99, 'f');
    const struct {
        const char *what;
        const char *tail; // right after a line without its line feed
        const char *next; // the entry after that line, or none
        bool carriesOn;   // whether the line's own entry ends before the tail
    } tails[] = {
        {"CR and LF", "\r\nb.iwd\n", "b.iwd", true},
        {"a lone CR", "\rb.iwd\n", nullptr, false},
        {"Ctrl-Z",
         "\x1A"
         "b.iwd\n",
         nullptr, true},
    };
    for (size_t edge = 4096; edge <= 12 * 4096; edge += 4096) {
        for (size_t at = edge - 2; at <= edge + 1; at++) {
            for (const auto &tail : tails) {
                SCOPED_TRACE(std::string(tail.what) + " at byte " + std::to_string(at));
                // Lines of 100 bytes, then one of 50 to 149 characters ending at `at`.
                size_t lastLength = 50 + (at - 50) % 100;
                std::string bytes;
                std::vector<std::string> expected;
                for (size_t i = 0; i < (at - lastLength) / 100; i++) {
                    bytes += Filler + "\n";
                    expected.push_back(Filler);
                }
                std::string last(lastLength, 'h');
                bytes += last + tail.tail;
                ASSERT_EQ(bytes.find(tail.tail), at);
                expected.push_back(tail.carriesOn ? last : last + "\rb.iwd");
                if (tail.next)
                    expected.push_back(tail.next);

                ASSERT_TRUE(WriteWholeFile("ignore.list", bytes));
                OpenIgnoreList();
                EXPECT_EQ(LoadAll(), expected);
                EXPECT_EQ(IsIgnored("b.iwd"), tail.next != nullptr);
                EXPECT_TRUE(IsIgnored(last.c_str()));
                CloseIgnoreList();
            }
        }
    }
}

TEST_F(IgnoreListTest, OpeningDropsOneFinalCtrlZFromTheFile)
{
    const struct {
        std::string before, after;
    } cases[] = {
        {"a.iwd\n\x1A", "a.iwd\n"},
        {"a.iwd\n\x1A\x1A", "a.iwd\n\x1A"},
        {"\x1A", ""},
        {"a\x1A"
         "b\n",
         "a\x1A"
         "b\n"},
        {"", ""},
    };
    for (const auto &c : cases) {
        ASSERT_TRUE(WriteWholeFile("ignore.list", c.before));
        OpenIgnoreList();
        CloseIgnoreList();
        EXPECT_EQ(ReadWholeFile("ignore.list"), c.after);
    }
}

TEST_F(IgnoreListTest, MatchesNamesThatAnEntryEqualsOrBeginsWith)
{
    ASSERT_TRUE(WriteWholeFile("ignore.list", "base.iwd\r\nfoo.iwd.old\n\nbase\nz_\xE9.iwd"));
    OpenIgnoreList();
    const struct {
        const char *name;
        bool ignored;
    } cases[] = {
        {"base.iwd", true},   {"BASE.iwd", false},   {"base.iwd.iwd", false},
        {"foo.iwd", true},    {"foo.iwd.old", true}, {"fo.iwd", false},
        {"other.iwd", false}, {"z_\xE9.iwd", true},  {"base.IWD", false},
    };
    for (const auto &c : cases)
        EXPECT_EQ(IsIgnored(c.name), c.ignored) << c.name;
}

TEST_F(IgnoreListTest, AnEntryWithoutTheExtensionHidesNothing)
{
    ASSERT_TRUE(WriteWholeFile("ignore.list", "base\n\n"));
    OpenIgnoreList();
    EXPECT_FALSE(IsIgnored("base.iwd"));
    EXPECT_FALSE(IsIgnored("b.iwd"));
}

TEST_F(IgnoreListTest, EachNameIsTestedFromTheStartOfTheFile)
{
    ASSERT_TRUE(WriteWholeFile("ignore.list", "a.iwd\nb.iwd\n"));
    OpenIgnoreList();
    EXPECT_TRUE(IsIgnored("b.iwd"));
    EXPECT_TRUE(IsIgnored("a.iwd"));
    EXPECT_TRUE(IsIgnored("b.iwd"));
    EXPECT_EQ(LoadAll(), (std::vector<std::string>{"a.iwd", "b.iwd"}));
}

TEST_F(IgnoreListTest, AMissingFileHoldsNoStreamAndIsNeverCreated)
{
    OpenIgnoreList();
    EXPECT_FALSE(IsIgnored("a.iwd"));
    std::vector<std::string> none;
    EXPECT_FALSE(LoadIgnoreEntries([](const char *, void *) {}, &none));

    EXPECT_FALSE(SaveIgnoreEntries(Editor, EntrySource({"a.iwd"})));
    ASSERT_EQ(recordedMessages.size(), 1u);
    EXPECT_EQ(recordedMessages[0].owner, Editor);
    EXPECT_EQ(recordedMessages[0].text, "Failed to save 'ignore.list'.");
    EXPECT_EQ(recordedMessages[0].caption, "Quillmoor MM - Error");
    EXPECT_EQ(recordedMessages[0].type, (UINT)MB_ICONERROR);
    EXPECT_FALSE(PathExists("ignore.list"));
}

TEST_F(IgnoreListTest, AReadOnlyFileHoldsNoStreamAndIsLeftAlone)
{
    ASSERT_TRUE(WriteWholeFile("ignore.list", "a.iwd\n\x1A"));
    if (!MakeReadOnly("ignore.list"))
        GTEST_SKIP() << "this process may write to read-only files";
    OpenIgnoreList();
    EXPECT_FALSE(IsIgnored("a.iwd"));
    EXPECT_FALSE(SaveIgnoreEntries(Editor, EntrySource({"b.iwd"})));
    EXPECT_EQ(recordedMessages.size(), 1u);
    MakeWritable("ignore.list");
    EXPECT_EQ(ReadWholeFile("ignore.list"), "a.iwd\n\x1A");
}

TEST_F(IgnoreListTest, SaveWritesEachEntryWithALineFeedAndReadsBackTheSame)
{
    ASSERT_TRUE(WriteWholeFile("ignore.list", "old.iwd\r\nother.iwd\r\n"));
    OpenIgnoreList();
    const std::vector<std::string> entries = {"a.iwd", "", "a.iwd", A254, "z\xE9.iwd"};
    EXPECT_TRUE(SaveIgnoreEntries(Editor, EntrySource(entries)));
    EXPECT_TRUE(recordedMessages.empty());
    EXPECT_EQ(ReadWholeFile("ignore.list"), "a.iwd\n\na.iwd\n" + A254 + "\nz\xE9.iwd\n");

    // The new entries count at once, read from the start; a full-length
    // entry comes back followed by an empty one.
    EXPECT_FALSE(IsIgnored("old.iwd"));
    EXPECT_TRUE(IsIgnored("z\xE9.iwd"));
    EXPECT_EQ(LoadAll(),
              (std::vector<std::string>{"a.iwd", "", "a.iwd", A254, "", "z\xE9.iwd"}));
}

TEST_F(IgnoreListTest, SavingNoEntriesLeavesAnEmptyFile)
{
    ASSERT_TRUE(WriteWholeFile("ignore.list", "a.iwd\n"));
    OpenIgnoreList();
    EXPECT_TRUE(SaveIgnoreEntries(Editor, EntrySource({})));
    EXPECT_EQ(ReadWholeFile("ignore.list"), "");
    EXPECT_EQ(LoadAll(), std::vector<std::string>{});
    EXPECT_TRUE(SaveIgnoreEntries(Editor, EntrySource({"b.iwd"})));
    EXPECT_EQ(ReadWholeFile("ignore.list"), "b.iwd\n");
}

TEST_F(IgnoreListTest, CloseReleasesTheFile)
{
    ASSERT_TRUE(WriteWholeFile("ignore.list", "a.iwd\n"));
    OpenIgnoreList();
    CloseIgnoreList();
    EXPECT_FALSE(IsIgnored("a.iwd"));
    RemovePath("ignore.list");
    EXPECT_FALSE(PathExists("ignore.list"));
}

// An entry typed in is one line of text: a line break or a Ctrl-Z in it is
// refused, and nothing else.
TEST(CanStoreEntry, RefusesLineBreaksAndCtrlZAlone)
{
    const struct {
        const char *entry;
        bool storable;
    } cases[] = {
        {"", true},           {"a.iwd", true},    {"with space .iwd\t", true},
        {"a\x1A.iwd", false}, {"\ra.iwd", false}, {"a.iwd\n", false},
    };
    for (const auto &c : cases)
        EXPECT_EQ(CanStoreEntry(c.entry), c.storable) << c.entry;
}

// Only a file on a disk is held: a pipe would keep the first scan waiting
// for ever, a device is no list.
TEST_F(IgnoreListTest, OnlyAFileOnADiskIsHeld)
{
    if (!HasLinuxSide())
        GTEST_SKIP() << LinuxSideMissing;
    for (const char *made : {"mkfifo ignore.list", "ln -s /dev/full ignore.list"}) {
        SCOPED_TRACE(made);
        ClearMessages();
        // Windows calls would open the pipe to remove it, and wait.
        ASSERT_TRUE(OnLinuxSide(std::string("rm -f ignore.list && ") + made));
        OpenIgnoreList();
        EXPECT_FALSE(IsIgnored("a.iwd"));
        std::vector<std::string> none;
        EXPECT_FALSE(LoadIgnoreEntries([](const char *, void *) {}, &none));
        EXPECT_FALSE(SaveIgnoreEntries(Editor, EntrySource({"a.iwd"})));
        ExpectSaveFailure();
        CloseIgnoreList();
    }
    ASSERT_TRUE(OnLinuxSide("rm ignore.list"));
}

// Another program can put a new file in the place of the one held (a Linux
// editor's save renames it over, which Windows' sharing cannot stop under
// Wine): a save then writes neither file and says so.
TEST_F(IgnoreListTest, ASaveAfterTheFileWasReplacedWritesNothing)
{
    if (!HasLinuxSide())
        GTEST_SKIP() << LinuxSideMissing;
    ASSERT_TRUE(WriteWholeFile("ignore.list", "old.iwd\n"));
    OpenIgnoreList();
    ASSERT_TRUE(OnLinuxSide("printf 'theirs.iwd\\n' >ignore.new && mv ignore.new ignore.list"));

    EXPECT_FALSE(SaveIgnoreEntries(Editor, EntrySource({"mine.iwd"})));
    ExpectSaveFailure();
    EXPECT_EQ(ReadWholeFile("ignore.list"), "theirs.iwd\n");
}

// An entry can end in a carriage return (a line ended by a lone one, or cut
// off by Ctrl-Z); a save must not let it pair with the written line feed.
TEST_F(IgnoreListTest, AnEntryEndingInACarriageReturnSurvivesASave)
{
    const std::string cr253 = std::string(252, 'c') + "\r", cr254 = A253 + "\r";
    const struct {
        const char *what;
        std::string bytes;
        std::vector<std::string> reloaded;
    } cases[] = {
        {"last line ends in a lone CR", "a\rb.iwd\nc.iwd\r", {"a\rb.iwd", "c.iwd\r"}},
        {"CR cut off by Ctrl-Z", "a.iwd\r\x1A", {"a.iwd\r"}},
        {"two CRs", "a.iwd\r\r\nb.iwd\n", {"a.iwd\r", "b.iwd"}},
        {"253 characters ending in CR", cr253 + "\r\n", {cr253}},
        {"254 characters ending in CR, then an empty entry", cr254 + "\r\n", {cr254, "", ""}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_TRUE(WriteWholeFile("ignore.list", c.bytes));
        OpenIgnoreList();
        const std::vector<std::string> loaded = LoadAll();
        EXPECT_TRUE(SaveIgnoreEntries(Editor, EntrySource(loaded)));
        EXPECT_EQ(LoadAll(), c.reloaded);
        CloseIgnoreList();
    }
    EXPECT_TRUE(recordedMessages.empty());
}

TEST_F(IgnoreListTest, OnlyAnEntryEndingInACarriageReturnIsWrittenWithTwo)
{
    ASSERT_TRUE(WriteWholeFile("ignore.list", ""));
    OpenIgnoreList();
    EXPECT_TRUE(SaveIgnoreEntries(Editor, EntrySource({"a\r.iwd", "b.iwd\r", "\r", ""})));
    EXPECT_EQ(ReadWholeFile("ignore.list"), "a\r.iwd\nb.iwd\r\r\n\r\r\n\n");
    EXPECT_EQ(LoadAll(), (std::vector<std::string>{"a\r.iwd", "b.iwd\r", "\r", ""}));
}

// A volume full to its last byte: the new list cannot be written whole, and
// the file holds the previous one again, byte for byte, still held.
TEST_F(IgnoreListTest, ASaveOntoAFullVolumeKeepsThePreviousList)
{
    SmallVolumeGame small("program");
    if (!small.missing.empty())
        GTEST_SKIP() << small.missing;
    const std::string previous = ListOf(273, 'p') + "last.iwd"; // 8,198 bytes
    ASSERT_TRUE(WriteWholeFile("ignore.list", previous));
    OpenIgnoreList();
    ASSERT_TRUE(FillVolume("."));
    std::vector<std::string> entries;
    for (int i = 0; i < 3000; i++)
        entries.push_back(std::string(20, 'n') + std::to_string(i) + ".iwd");

    EXPECT_FALSE(SaveIgnoreEntries(Editor, EntrySource(entries)));

    ExpectSaveFailure();
    EXPECT_EQ(ReadWholeFile("ignore.list"), previous);
    EXPECT_TRUE(IsIgnored("last.iwd"));
    EXPECT_EQ(LoadAll().size(), 274u);
}

// Another program fills the volume while the list is being saved (here as
// the first entry is read): the previous list's space was never given up,
// so it is put back whole.
TEST_F(IgnoreListTest, ASaveWhileTheVolumeFillsUpKeepsThePreviousList)
{
    SmallVolumeGame small("program");
    if (!small.missing.empty())
        GTEST_SKIP() << small.missing;
    const std::string previous = ListOf(226, 'p'); // 6,780 bytes
    ASSERT_TRUE(WriteWholeFile("ignore.list", previous));
    OpenIgnoreList();
    struct Filling {
        std::vector<std::string> entries;
        bool filled;
    } filling = {{}, false};
    for (int i = 0; i < 3000; i++)
        filling.entries.push_back(std::string(20, 'n') + std::to_string(i) + ".iwd");
    const IgnoreEntrySource source = {
        (int)filling.entries.size(),
        [](int index, void *context) {
            Filling *filling = static_cast<Filling *>(context);
            if (!filling->filled) {
                EXPECT_TRUE(FillVolume("."));
            }
            filling->filled = true;
            return HeldEntryLength(index, &filling->entries);
        },
        [](int index, char *buffer, void *context) {
            return HeldEntryText(index, buffer, &static_cast<Filling *>(context)->entries);
        },
        &filling};

    EXPECT_FALSE(SaveIgnoreEntries(Editor, source));

    ExpectSaveFailure();
    EXPECT_EQ(ReadWholeFile("ignore.list"), previous);
    EXPECT_EQ(LoadAll().size(), 226u);
}

#ifndef _WIN32
// Failures the test modes make on purpose (test_modes.h): each save that
// fails leaves the previous list on disk and says so.
TEST_F(IgnoreListTest, ASaveThatFailsAnywhereKeepsThePreviousList)
{
    const struct {
        const char *what;
        void (*fail)();
        bool held; // a stream is held afterwards
    } cases[] = {
        {"the previous list cannot be read", [] { FailNextRead(3); }, true},
        {"an entry cannot be written", [] { FailNextPut(); }, true},
    };
    const std::string previous = "old.iwd\r\nkept.iwd\x1A\x1A";
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        ClearMessages();
        ASSERT_TRUE(WriteWholeFile("ignore.list", previous));
        OpenIgnoreList();
        c.fail();

        EXPECT_FALSE(SaveIgnoreEntries(Editor, EntrySource({"a.iwd", "b.iwd"})));

        ExpectSaveFailure();
        // Opening dropped one final Ctrl-Z; nothing else changes.
        EXPECT_EQ(ReadWholeFile("ignore.list"), previous.substr(0, previous.size() - 1));
        EXPECT_EQ(IsIgnored("old.iwd"), c.held);
        EndTestModes();
        CloseIgnoreList();
    }
}

// A load that a failed read ends is no load: saved, the editor's list would
// lose every entry after the failure. The scan's pass stops there too.
TEST_F(IgnoreListTest, ALoadEndedByAFailedReadFails)
{
    ASSERT_TRUE(WriteWholeFile("ignore.list", "a.iwd\n" + ListOf(2000, 'b')));
    OpenIgnoreList();
    FailNextRead(100);
    std::vector<std::string> entries;
    EXPECT_FALSE(LoadIgnoreEntries([](const char *, void *) {}, &entries));
    FailNextRead(9);
    EXPECT_FALSE(IsIgnored("bbb"));
    EXPECT_EQ(LoadAll().size(), 2001u);
}
#endif
