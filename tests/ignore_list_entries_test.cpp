// Saving the editor's entries, read from a list held in memory in place of
// the editor's list box: what the save writes is what it took from the list.
#include "ignore_list.h"
#include "ignore_list_entries.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <string.h>

#include <set>

namespace {

const HWND Editor = reinterpret_cast<HWND>(0x1234);

// A list box stand-in that can be told to fail or to shorten an entry, and
// that records which entries' text was asked for.
struct FakeList {
    std::vector<std::string> entries;
    std::set<int> lengthFails;
    std::set<int> textFails;
    std::set<int> textShortens;
    std::set<int> lengthOverstated;
    std::set<int> textAsked;
};

int FakeLength(int index, void *context)
{
    FakeList *list = static_cast<FakeList *>(context);
    if (index < 0 || index >= (int)list->entries.size() || list->lengthFails.count(index))
        return -1;
    // As a list box may where ANSI and Unicode mix: room for double-byte
    // characters, and then some.
    const int length = (int)list->entries[index].size();
    return list->lengthOverstated.count(index) ? 2 * length + 3 : length;
}

int FakeText(int index, char *buffer, void *context)
{
    FakeList *list = static_cast<FakeList *>(context);
    list->textAsked.insert(index);
    if (index < 0 || index >= (int)list->entries.size() || list->textFails.count(index))
        return -1;
    std::string entry = list->entries[index];
    if (list->textShortens.count(index))
        entry.resize(entry.size() / 2);
    memcpy(buffer, entry.c_str(), entry.size() + 1);
    return (int)entry.size();
}

// The entries a save over `count` entries of the list writes, one per line.
std::vector<std::string> Saved(FakeList &list, int count)
{
    TemporaryGame game;
    EXPECT_TRUE(WriteWholeFile("ignore.list", "old.iwd\n"));
    OpenIgnoreList();
    IgnoreEntrySource source = {count, FakeLength, FakeText, &list};
    EXPECT_TRUE(SaveIgnoreEntries(Editor, source));
    CloseIgnoreList();
    std::string bytes = ReadWholeFile("ignore.list");
    std::vector<std::string> entries;
    for (size_t start = 0, end; (end = bytes.find('\n', start)) != std::string::npos;
         start = end + 1)
        entries.push_back(bytes.substr(start, end - start));
    EXPECT_TRUE(bytes.empty() || bytes.back() == '\n') << "every entry ends with its line feed";
    return entries;
}

std::vector<std::string> Saved(FakeList &list)
{
    return Saved(list, (int)list.entries.size());
}

} // namespace

TEST(SaveIgnoreEntries, TakesEveryEntryWholeInListOrder)
{
    const std::vector<std::vector<std::string>> lists = {
        {},
        {"a.iwd"},
        {"a.iwd", "a.iwd", "b.iwd"},
        {"", "", "z.iwd"},
        {std::string(254, 'x'), ""},
        {"with space .iwd", "tab\t.iwd", "\xE9t\xE9.iwd"},
    };
    for (const auto &entries : lists) {
        FakeList list;
        list.entries = entries;
        EXPECT_EQ(Saved(list), entries);
    }
}

// An entry longer than an entry is never cut to one; an entry whose length
// the list overstates is kept whole.
TEST(SaveIgnoreEntries, LeavesOutWhatTheListCannotGive)
{
    FakeList list;
    list.entries = {"a.iwd",
                    "b.iwd",
                    "c.iwd",
                    "d.iwd",
                    std::string(255, 'y'),
                    std::string(400, 'y'),
                    "e.iwd",
                    std::string(254, 'z')};
    list.lengthFails = {1};
    list.textFails = {3};
    list.lengthOverstated = {4, 6, 7};
    EXPECT_EQ(Saved(list),
              (std::vector<std::string>{"a.iwd", "c.iwd", "e.iwd", std::string(254, 'z')}));
    EXPECT_EQ(list.textAsked, (std::set<int>{0, 2, 3, 4, 5, 6, 7}));
}

TEST(SaveIgnoreEntries, KeepsOnlyWhatWasCopiedWhenAnEntryComesBackShorter)
{
    FakeList list;
    list.entries = {"abcdefgh.iwd", "last.iwd"};
    list.textShortens = {0};
    EXPECT_EQ(Saved(list), (std::vector<std::string>{"abcdef", "last.iwd"}));
}

TEST(SaveIgnoreEntries, ReadsNoIndexBeyondTheCount)
{
    FakeList list;
    list.entries = {"a.iwd", "b.iwd", "c.iwd"};
    EXPECT_EQ(Saved(list, 2), (std::vector<std::string>{"a.iwd", "b.iwd"}));
    EXPECT_EQ(list.textAsked, (std::set<int>{0, 1}));
}
