// The wide search that vouches for the narrow names of a folder search.
//
// The wide listing is taken whole before the narrow search starts and kept
// compact (sizes, one flag and the narrow names): the system keeps a whole
// listing of a folder for each open search, and two at once of a folder of
// thousands of archives cost megabytes.
#include "platform.h"

#include <stdlib.h>
#include <string.h>

struct OwnName {
    DWORD sizeLow;
    DWORD sizeHigh;
    size_t name; // offset of its narrow name in `names`
    bool own;
};

namespace {

// Room for `count` more of `item`-sized things in a block of `room`, grown
// by doubling; false, leaving the block as it was, when there is no memory.
bool MakeRoom(void **block, size_t *room, size_t used, size_t count, size_t item)
{
    if (used + count <= *room)
        return true;
    size_t grown = *room ? *room : 64;
    while (grown < used + count)
        grown *= 2;
    void *larger = realloc(*block, grown * item);
    if (!larger)
        return false;
    *block = larger;
    *room = grown;
    return true;
}

// Adds one wide entry: its plain narrow name (what the narrow search gives
// for it), its size, and whether that name is its own.
bool AddWideEntry(OwnNameCheck *check, size_t *entryRoom, size_t *nameRoom, size_t *namesUsed,
                  const WIN32_FIND_DATAW &found)
{
    char plain[MAX_PATH];
    if (WideCharToMultiByte(CP_ACP, 0, found.cFileName, -1, plain, sizeof plain, nullptr,
                            nullptr) == 0)
        return false;
    // Without best fit, a character the code page lacks shows as the
    // default one instead of a look-alike.
    char exact[MAX_PATH];
    BOOL usedDefault = FALSE;
    bool own = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, found.cFileName, -1, exact,
                                   sizeof exact, nullptr, &usedDefault) != 0 &&
               !usedDefault && strcmp(exact, plain) == 0;

    size_t length = strlen(plain) + 1;
    if (!MakeRoom((void **)&check->entries, entryRoom, (size_t)check->count, 1,
                  sizeof(OwnName)) ||
        !MakeRoom((void **)&check->names, nameRoom, *namesUsed, length, 1))
        return false;
    memcpy(check->names + *namesUsed, plain, length);
    OwnName &entry = check->entries[check->count++];
    entry.sizeLow = found.nFileSizeLow;
    entry.sizeHigh = found.nFileSizeHigh;
    entry.name = *namesUsed;
    entry.own = own;
    *namesUsed += length;
    return true;
}

} // namespace

void BeginOwnNames(OwnNameCheck *check, LPCSTR pattern)
{
    check->entries = nullptr;
    check->count = 0;
    check->next = 0;
    check->names = nullptr;
    check->inStep = false;
    WCHAR widePattern[MAX_PATH];
    if (MultiByteToWideChar(CP_ACP, 0, pattern, -1, widePattern, MAX_PATH) == 0)
        return;
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW(widePattern, &found);
    if (search == INVALID_HANDLE_VALUE)
        return;
    size_t entryRoom = 0, nameRoom = 0, namesUsed = 0;
    bool whole = true;
    do
        whole = AddWideEntry(check, &entryRoom, &nameRoom, &namesUsed, found);
    while (whole && FindNextFileW(search, &found));
    FindClose(search);
    check->inStep = whole;
}

bool IsOwnName(OwnNameCheck *check, HANDLE, const WIN32_FIND_DATAA *found)
{
    if (!check->inStep || check->next >= check->count) {
        check->inStep = false;
        return false;
    }
    // The narrow search gives the system's plain conversion of each name:
    // where that is not this entry's, the two listings are out of step, and
    // nothing after it can be vouched for either.
    const OwnName &entry = check->entries[check->next++];
    if (strcmp(check->names + entry.name, found->cFileName) != 0 ||
        entry.sizeLow != found->nFileSizeLow || entry.sizeHigh != found->nFileSizeHigh) {
        check->inStep = false;
        return false;
    }
    return entry.own;
}

void EndOwnNames(OwnNameCheck *check)
{
    free(check->entries);
    free(check->names);
    check->entries = nullptr;
    check->names = nullptr;
    check->count = 0;
    check->inStep = false;
}
