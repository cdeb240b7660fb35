// Whether a narrow folder search's names and paths reach their own files:
// the scan's check, over the listing each platform gives (platform.h).
//
// Narrow names are converted from the system's own, and a name the code
// page cannot hold comes back changed (best fit or default characters): used
// in a path, the changed name would reach another file, or none. The same
// holds for the folders above: a path made by the narrow calls is only
// trusted where it is exactly the file's own path, converted without loss.
#ifndef QUILLMOOR_OWN_NAMES_H
#define QUILLMOOR_OWN_NAMES_H

#include "platform.h"

// The folder's entries as the system holds them, listed whole before the
// narrow search starts and kept compact (sizes, one flag and the narrow
// names): the system keeps a whole listing of a folder for each open
// search, and two at once of a folder of thousands of archives cost
// megabytes. A narrow entry is matched to its own entry by name, so that an
// entry that changed between the two listings affects only itself.
struct OwnNameEntry;
struct OwnNameByName;
struct OwnNameCheck {
    OwnNameEntry *entries; // in the order the folder listed them
    OwnNameByName *byName; // the same, ordered by narrow name
    int count;
    char *names; // the narrow names, one after another
    // The folder's narrow full path, ending in a separator, where it is
    // exactly the folder's own; empty where it is not, or cannot be made.
    char folderPath[MAX_PATH];
};

// Lists the folder of `pattern` (a folder, a separator and a file pattern).
void BeginOwnNames(OwnNameCheck *check, LPCSTR pattern);
// What the check says of the full path the narrow calls made for an entry
// of the narrow search.
enum OwnPath {
    // It reaches that file and no other: the narrow name is the file's own,
    // and the path is exactly the folder's own path and that name, nothing
    // dropped or folded away.
    PathIsOwn,
    PathNotOwn,
    // The wide listing lacks the entry, or lists it at another size: the
    // folder changed meanwhile, and nothing is vouched for.
    EntryUnlisted,
};
// Asked once for each entry, in the search's order.
OwnPath CheckOwnPath(OwnNameCheck *check, const WIN32_FIND_DATAA *found, const char *fullPath);
void EndOwnNames(OwnNameCheck *check);

#endif
