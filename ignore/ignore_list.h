// The ignore list: names of archives in the game's main folder that are not
// mods. One stream on "ignore.list" is held from start to exit.
#ifndef QUILLMOOR_IGNORE_LIST_H
#define QUILLMOOR_IGNORE_LIST_H

#include "ignore_list_entries.h"

typedef void (*IgnoreEntryReceiver)(const char *entry, void *context);

void OpenIgnoreList();
void CloseIgnoreList();
bool IsIgnored(const char *name);
bool LoadIgnoreEntries(IgnoreEntryReceiver receive, void *context);
// Writes the entries of `source`, read one at a time as they are written:
// no copy of the whole list is made.
bool SaveIgnoreEntries(HWND owner, const IgnoreEntrySource &source);
// Whether an entry typed in may be added: one line of text. A line feed or a
// Ctrl-Z in it would split the file's line or end the file early, hiding
// every entry after it; a carriage return, which the file keeps only as the
// reading rules allow, is no part of a name either.
bool CanStoreEntry(const char *entry);

#endif
