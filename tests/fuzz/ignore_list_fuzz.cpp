// Fuzzing the ignore-list store: arbitrary bytes as "ignore.list", opened,
// read by every reading rule, matched against names taken from the same
// bytes, loaded, saved and loaded again; then, for half of the inputs, the
// same bytes after 16 KiB or so of filler lines, across a block boundary.
//
// What the file should read as is worked out here from the bytes alone, by
// the rules in the order a reader meets them, not by the store's own reader.
#include "entry_source.h"
#include "fuzz_support.h"
#include "ignore_list.h"

#include <stddef.h>
#include <stdint.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

const HWND Editor = reinterpret_cast<HWND>(0x2001);

// Names passed to IsIgnored per input: it re-reads the file for each one.
const size_t NamesPerInput = 48;

// A multiple of every usual block and buffer size.
const size_t BlockMark = 16384;

typedef std::vector<std::string> Entries;

// The entries the bytes of a file read as: a Ctrl-Z ends the file, a carriage
// return and line feed become one line feed, every line feed ends an entry,
// one read gives at most IgnoreEntryMax characters, and the store hands each
// entry on as a C string (so it stops at a zero byte).
Entries EntriesOf(const std::string &bytes)
{
    std::string text = bytes.substr(0, bytes.find('\x1A'));
    std::string lines;
    size_t from = 0;
    for (size_t pair; (pair = text.find("\r\n", from)) != std::string::npos; from = pair + 1)
        lines.append(text, from, pair - from);
    lines.append(text, from, std::string::npos);
    Entries entries;
    size_t start = 0;
    while (start < lines.size()) {
        size_t end = lines.find('\n', start);
        bool ended = end != std::string::npos;
        std::string line = lines.substr(start, (ended ? end : lines.size()) - start);
        size_t taken = 0;
        while (line.size() - taken >= (size_t)IgnoreEntryMax) {
            entries.push_back(line.substr(taken, IgnoreEntryMax));
            taken += IgnoreEntryMax;
        }
        // A line feed right after a full read is read alone, as an empty
        // entry; without a line feed nothing more is read.
        if (ended || taken < line.size())
            entries.push_back(line.substr(taken));
        start = ended ? end + 1 : lines.size();
    }
    for (std::string &entry : entries)
        entry = entry.c_str();
    return entries;
}

// The entries a save of `saved` must load back as: the same, each entry of
// the full length followed by the empty entry that its line feed reads as.
Entries AfterSaving(const Entries &saved)
{
    Entries entries;
    for (const std::string &entry : saved) {
        entries.push_back(entry);
        if (entry.size() == (size_t)IgnoreEntryMax)
            entries.push_back("");
    }
    return entries;
}

// The match rule: an entry equal to the name or beginning with it.
bool ExpectIgnored(const Entries &entries, const std::string &name)
{
    for (const std::string &entry : entries)
        if (entry.size() >= name.size() && entry.compare(0, name.size(), name) == 0)
            return true;
    return false;
}

Entries LoadAll()
{
    Entries entries;
    bool loaded = LoadIgnoreEntries(
        [](const char *entry, void *context) {
            static_cast<Entries *>(context)->push_back(entry);
        },
        &entries);
    Check(loaded, "a held stream loads");
    return entries;
}

// Names as the scan would pass them (C strings): the entries themselves, one
// character shorter and one longer, and the raw pieces of the input between
// line feeds, carriage returns, Ctrl-Z and all.
std::vector<std::string> NamesFrom(const std::string &bytes, const Entries &entries)
{
    std::vector<std::string> names = {""};
    for (const std::string &entry : entries) {
        if (names.size() + 3 > NamesPerInput)
            break;
        names.push_back(entry);
        if (!entry.empty()) {
            names.push_back(entry.substr(0, entry.size() - 1));
            names.push_back(entry + entry.back());
        }
    }
    size_t start = 0;
    while (start < bytes.size() && names.size() < NamesPerInput) {
        size_t end = bytes.find('\n', start);
        if (end == std::string::npos)
            end = bytes.size();
        names.push_back(bytes.substr(start, end - start).c_str());
        start = end + 1;
    }
    return names;
}

void CheckMatches(const std::vector<std::string> &names, const Entries &entries)
{
    for (const std::string &name : names)
        Check(IsIgnored(name.c_str()) == ExpectIgnored(entries, name),
              "a name is ignored exactly when an entry equals or begins with it");
}

// The whole life of the store over one file: opened, read, matched, loaded,
// saved and loaded again. `names` are tested before and after the save.
void CheckStore(const std::string &bytes, const std::vector<std::string> &names)
{
    WriteScratchFile("ignore.list", bytes);

    OpenIgnoreList();
    std::string opened = bytes;
    if (!opened.empty() && opened.back() == '\x1A')
        opened.pop_back();
    Check(ReadScratchFile("ignore.list") == opened,
          "opening drops one final Ctrl-Z from the file and changes nothing else");

    const Entries expected = EntriesOf(bytes);
    const Entries loaded = LoadAll();
    Check(loaded == expected, "the entries loaded are those the reading rules give");
    CheckMatches(names, expected);
    Check(LoadAll() == loaded, "every load reads from the start of the file");

    int shownBefore = messageBoxesShown;
    Check(SaveIgnoreEntries(Editor, EntrySource(loaded)), "a save over a held stream succeeds");
    Check(messageBoxesShown == shownBefore, "a successful save shows no message");

    const Entries saved = AfterSaving(loaded);
    Check(EntriesOf(ReadScratchFile("ignore.list")) == saved,
          "the file a save writes reads back as the entries saved");
    Check(LoadAll() == saved, "after a save the store loads the entries saved");
    CheckMatches(names, saved);

    CloseIgnoreList();
}

// Full lines of filler, `size` bytes in all, so that what follows them in a
// file starts that far in.
std::string Filler(size_t size)
{
    std::string filler;
    while (filler.size() + 100 <= size)
        filler += std::string(99, 'p') + "\n";
    if (filler.size() < size)
        filler += std::string(size - filler.size() - 1, 'q') + "\n";
    return filler;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static bool ready = EnterScratchGameFolder();
    (void)ready;
    const std::string bytes(reinterpret_cast<const char *>(data), size);
    const std::vector<std::string> names = NamesFrom(bytes, EntriesOf(bytes));
    CheckStore(bytes, names);

    // Inputs of odd length again, their middle at the 16 KiB mark: where a
    // reader that takes the file in blocks or buffers goes on to the next
    // one. Two names only, the first taken from an entry: each test of a
    // name not in the filler reads the whole longer file.
    if (size % 2 == 1 && size / 2 < BlockMark) {
        std::vector<std::string> someNames(names.begin() + std::min(names.size(), (size_t)1),
                                           names.begin() + std::min(names.size(), (size_t)3));
        CheckStore(Filler(BlockMark - size / 2) + bytes, someNames);
    }
    return 0;
}
