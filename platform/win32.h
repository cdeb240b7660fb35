// What Windows gives the core: the Win32 calls themselves, and what
// win32.cpp adds to them (see platform.h).
#ifndef QUILLMOOR_WIN32_H
#define QUILLMOOR_WIN32_H

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include <stdio.h>

// Cuts an open stream's file to `size` bytes; true on success.
bool TruncateStream(FILE *stream, long size);
// The system's handle of an open stream's file, for asking the system what
// that file is; the stream keeps it and closes it.
HANDLE StreamHandle(FILE *stream);

// One entry of a folder's listing by the system's own names: the narrow
// name the narrow search gives for it and whether that name is its own.
// False stops the listing.
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

// How a wide name is converted to the ANSI code page so that a character it
// cannot hold makes the conversion fail or show: the flags, and whether a
// used-default flag may be asked for. The UTF-8 code pages take no other
// flag than WC_ERR_INVALID_CHARS and no used-default pointer, and the call
// fails outright on either.
struct ExactConversion {
    DWORD flags;
    bool asksUsedDefault;
};
ExactConversion ExactConversionFor(UINT codePage);

#endif
