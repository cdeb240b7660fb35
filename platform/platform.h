// The calls the portable core makes of the system. Each platform's header
// gives them, named for its platform: win32.h the Win32 calls themselves,
// posix.h stand-ins for the few that the core uses, with the same names,
// arguments and results, which posix.cpp gives. The additions declared
// below, win32.cpp and posix.cpp each define.
#ifndef QUILLMOOR_PLATFORM_H
#define QUILLMOOR_PLATFORM_H

#ifdef _WIN32
#include "win32.h"
#else
#include "posix.h"
#endif

#include <stdio.h>

// Cuts an open stream's file to `size` bytes; true on success.
bool TruncateStream(FILE *stream, long size);
// The system's handle of an open stream's file, for asking the system what
// that file is; the stream keeps it and closes it.
HANDLE StreamHandle(FILE *stream);

// For the scan's check of names (mods/own_names.h). One entry of a folder's
// listing by the system's own names: the narrow name the narrow search
// gives for it and whether that name is its own. False stops the listing.
typedef bool (*OwnNameReceiver)(const char *narrowName, DWORD sizeLow, DWORD sizeHigh, bool own,
                                void *context);
// With C linkage, so that the unit tests can stand between the check and
// these by name (--wrap) and list as another system does.
//
// Lists the entries a search of `pattern` yields with the system's own
// names; false when the listing could not be made.
extern "C" bool ListOwnNames(LPCSTR pattern, OwnNameReceiver receive, void *context);
// The narrow full path of a relative one where it is exactly the path's own
// (the current folder's names included); empty where it is not or does not
// fit.
extern "C" void MakeOwnFullPath(LPCSTR relative, char *fullPath, DWORD size);

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
