// What Windows gives beyond its own calls: the stream calls the C library
// lacks, and for the scan's check of names the wide listing of a folder with
// each name's narrow forms, and full paths checked against their wide form.
#include "platform.h"

#include <io.h>
#include <string.h>

// Vista's flag, named here: the program is built for XP, whose headers lack
// it. An XP code page is never UTF-8, so XP is never asked for it.
#ifndef WC_ERR_INVALID_CHARS
#define WC_ERR_INVALID_CHARS 0x80
#endif

namespace {

// GB 18030 holds every character, as UTF-8 does, and takes the same flags.
const UINT GB18030 = 54936;

// The narrow form of a wide text in which every character is the code
// page's own: false where one is not (none without best fit, or a lone
// surrogate) or it does not fit.
bool ConvertExactly(const ExactConversion &how, LPCWSTR wide, char *narrow, int size)
{
    BOOL usedDefault = FALSE;
    return WideCharToMultiByte(CP_ACP, how.flags, wide, -1, narrow, size, nullptr,
                               how.asksUsedDefault ? &usedDefault : nullptr) != 0 &&
           !usedDefault;
}

} // namespace

ExactConversion ExactConversionFor(UINT codePage)
{
    // Without best fit, a character the code page lacks shows as the
    // default one instead of a look-alike.
    if (codePage == CP_UTF8 || codePage == GB18030)
        return ExactConversion{WC_ERR_INVALID_CHARS, false};
    return ExactConversion{WC_NO_BEST_FIT_CHARS, true};
}

bool ListOwnNames(LPCSTR pattern, OwnNameReceiver receive, void *context)
{
    WCHAR widePattern[MAX_PATH];
    if (MultiByteToWideChar(CP_ACP, 0, pattern, -1, widePattern, MAX_PATH) == 0)
        return true;
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW(widePattern, &found);
    if (search == INVALID_HANDLE_VALUE)
        return true;
    const ExactConversion how = ExactConversionFor(GetACP());
    bool whole = true;
    do {
        // The plain conversion is what the narrow search gives. A name too
        // long for its buffer is left out: the narrow search cannot give
        // it whole either, and it is then refused alone.
        char plain[MAX_PATH];
        if (WideCharToMultiByte(CP_ACP, 0, found.cFileName, -1, plain, sizeof plain, nullptr,
                                nullptr) == 0)
            continue;
        char exact[MAX_PATH];
        bool own = ConvertExactly(how, found.cFileName, exact, sizeof exact) &&
                   strcmp(exact, plain) == 0;
        whole = receive(plain, found.nFileSizeLow, found.nFileSizeHigh, own, context);
    } while (whole && FindNextFileW(search, &found));
    FindClose(search);
    return whole;
}

void MakeOwnFullPath(LPCSTR relative, char *fullPath, DWORD size)
{
    // The narrow call converts the current folder's wide path by best fit:
    // a folder the code page cannot name comes back as a look-alike's.
    DWORD made = GetFullPathNameA(relative, size, fullPath, nullptr);
    WCHAR wideRelative[MAX_PATH], wideFull[MAX_PATH];
    char exact[MAX_PATH];
    if (made == 0 || made >= size ||
        MultiByteToWideChar(CP_ACP, 0, relative, -1, wideRelative, MAX_PATH) == 0)
        made = 0;
    else {
        DWORD wideMade = GetFullPathNameW(wideRelative, MAX_PATH, wideFull, nullptr);
        if (wideMade == 0 || wideMade >= MAX_PATH ||
            !ConvertExactly(ExactConversionFor(GetACP()), wideFull, exact, sizeof exact) ||
            strcmp(exact, fullPath) != 0)
            made = 0;
    }
    if (made == 0)
        fullPath[0] = '\0';
}

bool TruncateStream(FILE *stream, long size)
{
    return fflush(stream) == 0 && _chsize(_fileno(stream), size) == 0;
}

HANDLE StreamHandle(FILE *stream)
{
    return (HANDLE)_get_osfhandle(_fileno(stream));
}
