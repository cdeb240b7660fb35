// The size text of a mod archive.
#include "mod_scan.h"

#include <stdio.h>

// Each bound is exclusive, so exactly 1024 bytes still reads "1024B".
void FormatSizeText(DWORD size, char *text)
{
    const size_t room = 16; // "4294967295B" and its terminator fit.
    if (size > (1u << 30))
        snprintf(text, room, "%uGB", (unsigned)(size >> 30));
    else if (size > (1u << 20))
        snprintf(text, room, "%uMB", (unsigned)(size >> 20));
    else if (size > (1u << 10))
        snprintf(text, room, "%uKB", (unsigned)(size >> 10));
    else
        snprintf(text, room, "%uB", (unsigned)size);
}
