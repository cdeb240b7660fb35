// The editor's entries as a save takes them: read one by one, by index, from
// whatever list holds them (the editor's list box in the program), each into
// a buffer of one entry's size.
#ifndef QUILLMOOR_IGNORE_LIST_ENTRIES_H
#define QUILLMOOR_IGNORE_LIST_ENTRIES_H

#include "platform.h"

// An entry is at most this many characters; one read of a line gives no more.
const int IgnoreEntryMax = TextBufferSize - 1;

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

// Reads entry `index` of the source whole into `entry`, a buffer of
// IgnoreEntryMax + 1 bytes, and gives its length. An entry that the list
// cannot give, or that is longer than an entry, gives -1: it is left out
// rather than saved as something else.
int ReadIgnoreEntry(const IgnoreEntrySource &source, int index, char *entry);

#endif
