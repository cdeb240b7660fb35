// The editor's entries as a save takes them: read one by one, by index, from
// whatever list holds them (the editor's list box in the program).
#ifndef QUILLMOOR_IGNORE_LIST_ENTRIES_H
#define QUILLMOOR_IGNORE_LIST_ENTRIES_H

#include <string>
#include <vector>

// A list of entries, read by index. `length` gives the number of characters
// of an entry, negative when the index names none; `text` copies the entry
// into a buffer of length + 1 bytes, terminates it, and gives the number of
// characters copied, negative on failure.
struct IgnoreEntrySource {
    int count;
    int (*length)(int index, void *context);
    int (*text)(int index, char *buffer, void *context);
    void *context;
};

// The entries of the list in list order, each read whole. An entry that the
// list cannot give is left out rather than saved as something else.
std::vector<std::string> CollectIgnoreEntries(const IgnoreEntrySource &source);

#endif
