// The calls the portable core makes of the system. On Windows they are the
// Win32 calls themselves; elsewhere posix_win32.h stands in for the few that
// the core uses, with the same names, arguments and results.
#ifndef QUILLMOOR_PLATFORM_H
#define QUILLMOOR_PLATFORM_H

#ifdef _WIN32
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>
#else
#include "posix_win32.h"
#endif

#include <stdio.h>

// Names, relative paths, ignore-list entries and composed texts (messages,
// the about text) are held in buffers of this many characters, the
// terminator included.
const int TextBufferSize = 255;

// Cuts an open stream's file to `size` bytes; true on success. The C library
// has no portable call for it.
bool TruncateStream(FILE *stream, long size);
// The system's handle of an open stream's file, for asking the system what
// that file is; the stream keeps it and closes it.
HANDLE StreamHandle(FILE *stream);

// Formats like sprintf into a buffer of `size` bytes, and always terminates
// it: gives the text's length, or -1 when it did not fit, the buffer then
// holding as much of it as fits. The C libraries' bounded calls differ in
// just these two points; on Windows this is the system C runtime's own
// call, where the C99 one would bring a formatter of its own.
#ifdef __GNUC__
__attribute__((format(printf, 3, 4)))
#endif
int FormatText(char *text, size_t size, const char *format, ...);

#endif
