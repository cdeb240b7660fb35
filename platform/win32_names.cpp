// The wide search that vouches for the narrow names of a folder search.
#include "platform.h"

#include <string.h>

void BeginOwnNames(OwnNameCheck *check, LPCSTR pattern, HANDLE)
{
    check->wide = INVALID_HANDLE_VALUE;
    check->pending = false;
    WCHAR widePattern[MAX_PATH];
    if (MultiByteToWideChar(CP_ACP, 0, pattern, -1, widePattern, MAX_PATH) == 0)
        return;
    check->wide = FindFirstFileW(widePattern, &check->next);
    check->pending = check->wide != INVALID_HANDLE_VALUE;
}

bool IsOwnName(OwnNameCheck *check, const WIN32_FIND_DATAA *found)
{
    if (!check->pending)
        return false;
    const WCHAR *wideName = check->next.cFileName;
    // The narrow search gives the system's plain conversion of the name:
    // where that is not this entry's, the two searches are out of step, and
    // nothing after it can be vouched for either.
    char converted[MAX_PATH];
    bool inStep = WideCharToMultiByte(CP_ACP, 0, wideName, -1, converted, sizeof converted,
                                      nullptr, nullptr) != 0 &&
                  strcmp(converted, found->cFileName) == 0 &&
                  check->next.nFileSizeLow == found->nFileSizeLow &&
                  check->next.nFileSizeHigh == found->nFileSizeHigh;
    if (!inStep) {
        check->pending = false;
        return false;
    }
    // Without best fit, a character the code page lacks shows as the
    // default one instead of a look-alike.
    BOOL usedDefault = FALSE;
    bool own = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wideName, -1, converted,
                                   sizeof converted, nullptr, &usedDefault) != 0 &&
               !usedDefault && strcmp(converted, found->cFileName) == 0;
    check->pending = FindNextFileW(check->wide, &check->next) != 0;
    return own;
}

void EndOwnNames(OwnNameCheck *check)
{
    if (check->wide != INVALID_HANDLE_VALUE)
        FindClose(check->wide);
    check->wide = INVALID_HANDLE_VALUE;
    check->pending = false;
}
