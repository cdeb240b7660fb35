// The own-name check: the wide listing of a folder, taken whole before the
// narrow search, and each narrow entry looked up in it by name.
#include "own_names.h"

#include <stdlib.h>
#include <string.h>

struct OwnNameEntry {
    DWORD sizeLow;
    DWORD sizeHigh;
    size_t name; // offset of its narrow name in `names`
    bool own;
    bool taken; // a narrow entry has been matched to it
};

struct OwnNameByName {
    const char *name;
    OwnNameEntry *entry;
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

struct Listing {
    OwnNameCheck *check;
    size_t entryRoom;
    size_t nameRoom;
    size_t namesUsed;
};

bool AddEntry(const char *narrowName, DWORD sizeLow, DWORD sizeHigh, bool own, void *context)
{
    Listing *listing = static_cast<Listing *>(context);
    OwnNameCheck *check = listing->check;
    size_t length = strlen(narrowName) + 1;
    if (!MakeRoom((void **)&check->entries, &listing->entryRoom, (size_t)check->count, 1,
                  sizeof(OwnNameEntry)) ||
        !MakeRoom((void **)&check->names, &listing->nameRoom, listing->namesUsed, length, 1))
        return false;
    memcpy(check->names + listing->namesUsed, narrowName, length);
    OwnNameEntry &entry = check->entries[check->count++];
    entry.sizeLow = sizeLow;
    entry.sizeHigh = sizeHigh;
    entry.name = listing->namesUsed;
    entry.own = own;
    entry.taken = false;
    listing->namesUsed += length;
    return true;
}

// qsort passes the two things it compares and nothing else: each carries
// its name.
int CompareByName(const void *left, const void *right)
{
    return strcmp(static_cast<const OwnNameByName *>(left)->name,
                  static_cast<const OwnNameByName *>(right)->name);
}

// The first place in `byName` whose name is not below `name`.
int FirstNotBelow(const OwnNameCheck *check, const char *name)
{
    int low = 0, high = check->count;
    while (low < high) {
        int middle = low + (high - low) / 2;
        if (strcmp(check->byName[middle].name, name) < 0)
            low = middle + 1;
        else
            high = middle;
    }
    return low;
}

bool SameName(const OwnNameCheck *check, int place, const char *name)
{
    return place < check->count && strcmp(check->byName[place].name, name) == 0;
}

// Whether the narrow name of an entry is its file's own. The entry is a wide
// one of its narrow name and size not yet matched: a file added meanwhile
// whose narrow name is another's ("m\u0101.iwd" listed as "ma.iwd") is never
// taken for that other file, and a file still growing is refused alone.
// Which of two files of one narrow name and one size is matched does not
// matter: their rows look alike in every cell, and only the one matched to
// the own file gets that file's path.
OwnPath CheckOwnName(OwnNameCheck *check, const WIN32_FIND_DATAA *found)
{
    const char *name = found->cFileName;
    for (int place = FirstNotBelow(check, name); SameName(check, place, name); place++) {
        OwnNameEntry &entry = *check->byName[place].entry;
        if (!entry.taken && entry.sizeLow == found->nFileSizeLow &&
            entry.sizeHigh == found->nFileSizeHigh) {
            entry.taken = true;
            return entry.own ? PathIsOwn : PathNotOwn;
        }
    }
    return EntryUnlisted;
}

} // namespace

void BeginOwnNames(OwnNameCheck *check, LPCSTR pattern)
{
    check->entries = nullptr;
    check->byName = nullptr;
    check->count = 0;
    check->names = nullptr;
    check->folderPath[0] = '\0';

    // The folder's own path: the pattern up to its last separator.
    const char *separator = strrchr(pattern, '\\');
    char folder[MAX_PATH];
    size_t length = separator ? (size_t)(separator - pattern) + 1 : 0;
    if (length > 0 && length < sizeof folder) {
        memcpy(folder, pattern, length);
        folder[length] = '\0';
        MakeOwnFullPath(folder, check->folderPath, sizeof check->folderPath);
    }

    Listing listing = {check, 0, 0, 0};
    if (!ListOwnNames(pattern, AddEntry, &listing)) {
        // Without the whole listing nothing is vouched for.
        EndOwnNames(check);
        return;
    }
    if (check->count == 0)
        return;
    // The names have their final place once the listing is whole.
    check->byName = (OwnNameByName *)malloc((size_t)check->count * sizeof(OwnNameByName));
    if (!check->byName) {
        EndOwnNames(check);
        return;
    }
    for (int index = 0; index < check->count; index++)
        check->byName[index] = {check->names + check->entries[index].name,
                                &check->entries[index]};
    qsort(check->byName, (size_t)check->count, sizeof(OwnNameByName), CompareByName);
}

OwnPath CheckOwnPath(OwnNameCheck *check, const WIN32_FIND_DATAA *found, const char *fullPath)
{
    OwnPath own = CheckOwnName(check, found);
    size_t length = strlen(check->folderPath);
    if (own == PathIsOwn && (length == 0 || strncmp(fullPath, check->folderPath, length) != 0 ||
                             strcmp(fullPath + length, found->cFileName) != 0))
        own = PathNotOwn;
    return own;
}

void EndOwnNames(OwnNameCheck *check)
{
    free(check->entries);
    free(check->byName);
    free(check->names);
    check->entries = nullptr;
    check->byName = nullptr;
    check->names = nullptr;
    check->count = 0;
}
