// Collecting the editor's entries for a save, from a list held in memory in
// place of the editor's list box.
#include "ignore_list_entries.h"

#include <gtest/gtest.h>

#include <string.h>

#include <set>

namespace {

// A list box stand-in that can be told to fail or to shorten an entry.
struct FakeList {
    std::vector<std::string> entries;
    std::set<int> lengthFails;
    std::set<int> textFails;
    std::set<int> textShortens;
};

int FakeLength(int index, void *context)
{
    FakeList *list = static_cast<FakeList *>(context);
    if (index < 0 || index >= (int)list->entries.size() || list->lengthFails.count(index))
        return -1;
    return (int)list->entries[index].size();
}

int FakeText(int index, char *buffer, void *context)
{
    FakeList *list = static_cast<FakeList *>(context);
    if (index < 0 || index >= (int)list->entries.size() || list->textFails.count(index))
        return -1;
    std::string entry = list->entries[index];
    if (list->textShortens.count(index))
        entry.resize(entry.size() / 2);
    memcpy(buffer, entry.c_str(), entry.size() + 1);
    return (int)entry.size();
}

std::vector<std::string> Collect(FakeList &list)
{
    IgnoreEntrySource source = {(int)list.entries.size(), FakeLength, FakeText, &list};
    return CollectIgnoreEntries(source);
}

} // namespace

TEST(CollectIgnoreEntries, TakesEveryEntryWholeInListOrder)
{
    const std::vector<std::vector<std::string>> lists = {
        {},
        {"a.iwd"},
        {"a.iwd", "a.iwd", "b.iwd"},
        {"", "", "z.iwd"},
        {std::string(254, 'x'), ""},
        {std::string(400, 'y'), "short.iwd"},
        {"with space .iwd", "tab\t.iwd", "\xE9t\xE9.iwd"},
    };
    for (const auto &entries : lists) {
        FakeList list;
        list.entries = entries;
        EXPECT_EQ(Collect(list), entries);
    }
}

TEST(CollectIgnoreEntries, LeavesOutWhatTheListCannotGive)
{
    FakeList list;
    list.entries = {"a.iwd", "b.iwd", "c.iwd", "d.iwd"};
    list.lengthFails = {1};
    list.textFails = {3};
    EXPECT_EQ(Collect(list), (std::vector<std::string>{"a.iwd", "c.iwd"}));
}

TEST(CollectIgnoreEntries, KeepsOnlyWhatWasCopiedWhenAnEntryComesBackShorter)
{
    FakeList list;
    list.entries = {"abcdefgh.iwd", "last.iwd"};
    list.textShortens = {0};
    EXPECT_EQ(Collect(list), (std::vector<std::string>{"abcdef", "last.iwd"}));
}

TEST(CollectIgnoreEntries, ReadsNoIndexBeyondTheCount)
{
    FakeList list;
    list.entries = {"a.iwd", "b.iwd", "c.iwd"};
    IgnoreEntrySource source = {2, FakeLength, FakeText, &list};
    EXPECT_EQ(CollectIgnoreEntries(source), (std::vector<std::string>{"a.iwd", "b.iwd"}));
}
