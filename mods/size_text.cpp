// The size text of a mod archive.
#include "size_text.h"

#include <stdio.h>

// Each bound is exclusive, so exactly 1024 bytes still reads "1024B".
void FormatSizeText(DWORD bytes, char *text, size_t size)
{
    if (bytes > (1u << 30))
        FormatText(text, size, "%uGB", (unsigned)(bytes >> 30));
    else if (bytes > (1u << 20))
        FormatText(text, size, "%uMB", (unsigned)(bytes >> 20));
    else if (bytes > (1u << 10))
        FormatText(text, size, "%uKB", (unsigned)(bytes >> 10));
    else
        FormatText(text, size, "%uB", (unsigned)bytes);
}
