// Reading the editor's entries for a save. The text is copied into a buffer
// of the length the list reports, which may be more than the text (Windows
// allows for double-byte characters where ANSI and Unicode mix), and the
// entry is judged by what was copied.
#include "ignore_list_entries.h"

#include <stdlib.h>
#include <string.h>

int ReadIgnoreEntry(const IgnoreEntrySource &source, int index, char *entry)
{
    int length = source.length(index, source.context);
    if (length < 0)
        return -1;
    char *text = (char *)malloc((size_t)length + 1);
    if (!text)
        return -1;
    int copied = source.text(index, text, source.context);
    // The list may give fewer characters than it announced (never more).
    if (copied >= 0 && copied <= length && copied <= IgnoreEntryMax) {
        memcpy(entry, text, (size_t)copied);
        entry[copied] = '\0';
    } else {
        copied = -1;
    }
    free(text);
    return copied;
}
