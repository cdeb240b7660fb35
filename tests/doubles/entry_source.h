// Entries held in memory as the source a save reads from, where the program
// has the editor's list box. For the unit tests and the fuzz targets alike.
#ifndef QUILLMOOR_ENTRY_SOURCE_H
#define QUILLMOOR_ENTRY_SOURCE_H

#include "ignore_list_entries.h"

#include <string.h>

#include <string>
#include <vector>

inline int HeldEntryLength(int index, void *context)
{
    const std::vector<std::string> &entries =
        *static_cast<const std::vector<std::string> *>(context);
    if (index < 0 || index >= (int)entries.size())
        return -1;
    return (int)entries[index].size();
}

inline int HeldEntryText(int index, char *buffer, void *context)
{
    const std::vector<std::string> &entries =
        *static_cast<const std::vector<std::string> *>(context);
    if (index < 0 || index >= (int)entries.size())
        return -1;
    memcpy(buffer, entries[index].c_str(), entries[index].size() + 1);
    return (int)entries[index].size();
}

// The source reads `entries` in place: they must outlive it (a temporary
// lasts to the end of the call it is built for).
inline IgnoreEntrySource EntrySource(const std::vector<std::string> &entries)
{
    return IgnoreEntrySource{(int)entries.size(), HeldEntryLength, HeldEntryText,
                             const_cast<std::vector<std::string> *>(&entries)};
}

#endif
