// Reading the editor's entries for a save. The length the list reports is
// checked against the buffer before the text is copied, so no entry can
// overrun it.
#include "ignore_list_entries.h"

int ReadIgnoreEntry(const IgnoreEntrySource &source, int index, char *entry)
{
    int length = source.length(index, source.context);
    if (length < 0 || length > IgnoreEntryMax)
        return -1;
    int copied = source.text(index, entry, source.context);
    if (copied < 0)
        return -1;
    // The list may give fewer characters than it announced (never more).
    if (copied < length)
        length = copied;
    entry[length] = '\0';
    return length;
}
