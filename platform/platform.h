// The calls the portable core makes of the system. Each platform's header
// gives them, named for its platform: win32.h the Win32 calls themselves
// and what win32.cpp adds to them, posix.h stand-ins for the few that the
// core uses, with the same names, arguments and results, which posix.cpp
// gives. Both declare the same additions:
//   TruncateStream, StreamHandle   the stream calls the C library lacks
//   ListOwnNames, MakeOwnFullPath  a folder's narrow names as the system
//                                  holds them, and full paths made without
//                                  loss, for the scan's check of names
//                                  (mods/own_names.h)
#ifndef QUILLMOOR_PLATFORM_H
#define QUILLMOOR_PLATFORM_H

#ifdef _WIN32
#include "win32.h"
#else
#include "posix.h"
#endif

#include <stdio.h>

// Names, relative paths, ignore-list entries and composed texts (messages,
// the about text) are held in buffers of this many characters, the
// terminator included.
const int TextBufferSize = 255;

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
