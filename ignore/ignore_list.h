// The ignore list: names of archives in the game's main folder that are not
// mods. One stream on "ignore.list" is held from start to exit.
#ifndef QUILLMOOR_IGNORE_LIST_H
#define QUILLMOOR_IGNORE_LIST_H

#include "platform.h"

// An entry is at most this many characters; one read of a line gives no more.
const int IgnoreEntryMax = TextBufferSize - 1;

typedef void (*IgnoreEntryReceiver)(const char *entry, void *context);

// The entries a save writes, read one at a time by index from whatever list
// holds them (ignore_list_entries.h): no copy of the whole list is made.
struct IgnoreEntrySource;

void OpenIgnoreList();
void CloseIgnoreList();
bool IsIgnored(const char *name);
bool LoadIgnoreEntries(IgnoreEntryReceiver receive, void *context);
bool SaveIgnoreEntries(HWND owner, const IgnoreEntrySource &source);
// Whether an entry reads back as the one entry it is: a line feed, a
// carriage return or a Ctrl-Z in it would split the file's line or end the
// file early, hiding every entry after it.
bool CanStoreEntry(const char *entry);

#endif
