// The size text of a mod archive.
#include "mod_scan.h"

#include <stdio.h>

// Each bound is exclusive, so exactly 1024 bytes still reads "1024B".
void FormatSizeText(DWORD size, char *text)
{
    const size_t room = 16; // "4294967295B" and its terminator fit.
    if (size > (1u << 30))
        FormatText(text, room, "%uGB", (unsigned)(size >> 30));
    else if (size > (1u << 20))
        FormatText(text, room, "%uMB", (unsigned)(size >> 20));
    else if (size > (1u << 10))
        FormatText(text, room, "%uKB", (unsigned)(size >> 10));
    else
        FormatText(text, room, "%uB", (unsigned)size);
}
