// Files told apart by what the system says they are.
#include "file_identity.h"

FileLook LookAtFile(LPCSTR path, FileIdentity *identity)
{
    // No access asked for: the identity is there to read even while another
    // program holds the file without sharing it. Backup semantics open a
    // folder too.
    HANDLE file = CreateFileA(path, 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        DWORD code = GetLastError();
        return code == ERROR_FILE_NOT_FOUND || code == ERROR_PATH_NOT_FOUND ? FileAbsent
                                                                            : FileUnknown;
    }
    bool taken = IdentityOfHandle(file, identity);
    DWORD code = GetLastError();
    CloseHandle(file);
    SetLastError(code);
    return taken ? FileThere : FileUnknown;
}

bool IdentityOfHandle(HANDLE file, FileIdentity *identity)
{
    BY_HANDLE_FILE_INFORMATION information;
    if (!GetFileInformationByHandle(file, &information))
        return false;
    identity->volume = information.dwVolumeSerialNumber;
    identity->indexHigh = information.nFileIndexHigh;
    identity->indexLow = information.nFileIndexLow;
    return true;
}

bool SameFile(const FileIdentity &one, const FileIdentity &other)
{
    return one.volume == other.volume && one.indexHigh == other.indexHigh &&
           one.indexLow == other.indexLow;
}
