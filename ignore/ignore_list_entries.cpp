// Collecting the editor's entries for a save. Every buffer is sized from the
// length the list reports first, so no entry can overrun it.
#include "ignore_list_entries.h"

std::vector<std::string> CollectIgnoreEntries(const IgnoreEntrySource &source)
{
    std::vector<std::string> entries;
    for (int index = 0; index < source.count; ++index) {
        int length = source.length(index, source.context);
        if (length < 0)
            continue;
        std::string entry((size_t)length + 1, '\0');
        int copied = source.text(index, &entry[0], source.context);
        if (copied < 0)
            continue;
        // The list may give fewer characters than it announced (never more).
        entry.resize(copied < length ? (size_t)copied : (size_t)length);
        entries.push_back(entry);
    }
    return entries;
}
