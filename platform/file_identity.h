// What the system says a file is, whatever name reaches it: the serial
// number of its volume and its index there. Names do not tell files apart:
// a lookup may fold case and reach another file, a file may be renamed
// while it is held, and two files may be of one size.
#ifndef QUILLMOOR_FILE_IDENTITY_H
#define QUILLMOOR_FILE_IDENTITY_H

#include "platform.h"

struct FileIdentity {
    DWORD volume;
    DWORD indexHigh;
    DWORD indexLow;
};

// What a look at a path found.
enum FileLook {
    FileThere,   // a file or folder, whose identity is taken
    FileAbsent,  // nothing of that path
    FileUnknown, // the look itself failed; GetLastError tells why
};

// Looks at what `path` reaches now, without holding it or keeping anyone
// else from it.
FileLook LookAtFile(LPCSTR path, FileIdentity *identity);
bool IdentityOfHandle(HANDLE file, FileIdentity *identity);
bool SameFile(const FileIdentity &one, const FileIdentity &other);

#endif
