// What Windows gives the core: the Win32 calls themselves, and the one
// thing of win32.cpp that only Windows has (the rest is in platform.h).
#ifndef QUILLMOOR_WIN32_H
#define QUILLMOOR_WIN32_H

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

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
