// Install, uninstall and delete: each works on one row of a mod list, moves
// or deletes that row's file, and on success brings the lists and their
// count labels up to date. A failure changes nothing and is reported with
// the system's reason.
//
// An operation acts only on the file the row shows, found just before by its
// exact name and taken by its identity, and judges what it did by identity,
// never by name or size: a lookup that folds case reaches "Mod.iwd" for
// "mod.iwd" once "mod.iwd" is gone, and two files may be of one size.
#include "mod_operations.h"

#include "error_report.h"
#include "file_identity.h"
#include "mod_scan.h"

#include <string.h>

namespace {

// Why a row the scan refused because its folder changed meanwhile cannot be
// worked on until the next scan.
const char FolderChangedReason[] = "The folder changed while it was read: use Scan.";

// The scan left the full path empty where no path reaches the row's file
// alone, and kept the reason with the row.
void RefuseRowWithoutPath(HWND window, MissingPath missing, const char *failure)
{
    if (missing == FolderChanged)
        ReportFailure(window, FolderChangedReason, failure);
    else
        ReportError(window,
                    missing == NameTooLong ? ERROR_FILENAME_EXCED_RANGE : ERROR_INVALID_NAME,
                    failure);
}

// Finds the row's file just before it is acted on: a search of its full
// path must find a file of exactly the row's name (a name of more than one
// part, which the scan gives no path, would never come back whole). Gives
// that file's identity, or false once the user has been told why not,
// under `failure`.
bool FindRowFile(HWND window, const RowFile &file, const char *failure, FileIdentity *identity)
{
    if (file.fullPath[0] == '\0') {
        RefuseRowWithoutPath(window, file.missingPath, failure);
        return false;
    }
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(file.fullPath, &found);
    if (search == INVALID_HANDLE_VALUE) {
        ReportError(window, GetLastError(), failure);
        return false;
    }
    FindClose(search);
    // Another name found is another file: the row's own is gone.
    FileLook look = strcmp(found.cFileName, file.name) == 0
                        ? LookAtFile(file.fullPath, identity)
                        : FileAbsent;
    if (look != FileThere) {
        ReportError(window, look == FileAbsent ? (DWORD)ERROR_FILE_NOT_FOUND : GetLastError(),
                    failure);
        return false;
    }
    return true;
}

// What a look at a path found, and why a look failed.
struct PathState {
    FileLook look;
    FileIdentity identity;
    DWORD code;
};

PathState StateOf(const char *path)
{
    PathState state;
    state.look = LookAtFile(path, &state.identity);
    state.code = state.look == FileUnknown ? GetLastError() : ERROR_SUCCESS;
    return state;
}

bool Holds(const PathState &state, const FileIdentity &identity)
{
    return state.look == FileThere && SameFile(state.identity, identity);
}

// Removes the copy a failed move left, while the destination still holds
// that copy. A read-only copy (of a read-only mod) is made writable first.
// False when the copy may stay.
bool RemoveCopy(const char *destination, const FileIdentity &copy)
{
    const PathState now = StateOf(destination);
    if (now.look == FileUnknown)
        return false;
    if (!Holds(now, copy))
        return true;
    WIN32_FILE_ATTRIBUTE_DATA information;
    if (GetFileAttributesExA(destination, GetFileExInfoStandard, &information) &&
        (information.dwFileAttributes & FILE_ATTRIBUTE_READONLY))
        SetFileAttributesA(destination,
                           information.dwFileAttributes & ~(DWORD)FILE_ATTRIBUTE_READONLY);
    return DeleteFileA(destination) != 0;
}

// Moves the file a row of one folder's list shows into the other folder,
// under the same name. True when the file has moved; otherwise the user has
// been told why, under `failure`.
bool MoveRowFile(HWND window, const RowFile &file, ModFolder from, ModFolder to,
                 const char *failure)
{
    // A name too long for the destination is never moved under a shorter
    // one.
    char destination[MAX_PATH];
    if (FormatText(destination, sizeof destination, ModFolderPathFormat(to), file.name) < 0) {
        ReportError(window, ERROR_FILENAME_EXCED_RANGE, failure);
        return false;
    }
    FileIdentity source;
    if (!FindRowFile(window, file, failure, &source))
        return false;

    const PathState before = StateOf(destination);
    DWORD code = MoveFileA(file.fullPath, destination) ? ERROR_SUCCESS : GetLastError();
    const PathState sourceAfter = StateOf(file.fullPath);
    const PathState after = StateOf(destination);

    // Within one volume the destination now holds the file itself, whatever
    // a look at the old path gives. Between volumes a move that worked
    // leaves a file at the empty destination that is not the source, and the
    // source no longer there as itself: a source that another program holds
    // may stay behind, pending deletion, where no look can reach it.
    const bool sourceStays = Holds(sourceAfter, source);
    const bool newFile =
        before.look == FileAbsent && after.look == FileThere && !Holds(after, source);
    if (!sourceStays && ((Holds(after, source) && !Holds(before, source)) ||
                         (code == ERROR_SUCCESS && newFile)))
        return true;

    if (code == ERROR_SUCCESS) {
        // Between volumes Windows copies, and where the source then cannot
        // be deleted it still reports success.
        code = sourceStays                       ? (DWORD)ERROR_ACCESS_DENIED
               : sourceAfter.look == FileUnknown ? sourceAfter.code
               : after.look == FileUnknown       ? after.code
                                                 : (DWORD)ERROR_FILE_NOT_FOUND;
    }
    // Only a file the failed move itself made goes again, and only while the
    // file it was made from is still where it was: "file exists" means that
    // another program's file took the name meanwhile. A copy that may stay
    // is shown in its list; a file no longer where it was, in both.
    if (!sourceStays)
        ScanList(window, from);
    if (!sourceStays || (code != ERROR_ALREADY_EXISTS && code != ERROR_FILE_EXISTS && newFile &&
                         !RemoveCopy(destination, after.identity)))
        ScanList(window, to);
    ReportError(window, code, failure);
    return false;
}

} // namespace

void InstallMod(HWND window, int row)
{
    RowFile file;
    if (!ReadRowFile(window, AvailableFolder, row, &file) ||
        !MoveRowFile(window, file, AvailableFolder, InstalledFolder,
                     "Failed to install the mod."))
        return;
    ModListDeleteRow(window, AvailableFolder, row);
    ScanInstalled(window);
    ShowRowCount(window, AvailableFolder);
}

void UninstallMod(HWND window, int row)
{
    RowFile file;
    if (!ReadRowFile(window, InstalledFolder, row, &file) ||
        !MoveRowFile(window, file, InstalledFolder, AvailableFolder,
                     "Failed to uninstall the mod."))
        return;
    ModListDeleteRow(window, InstalledFolder, row);
    ShowRowCount(window, InstalledFolder);
    ScanAvailable(window);
}

void DeleteMod(HWND window, int row, ModFolder folder)
{
    const char failure[] = "Failed to delete the mod.";
    RowFile file;
    FileIdentity identity;
    if (!ReadRowFile(window, folder, row, &file) ||
        !FindRowFile(window, file, failure, &identity))
        return;
    if (!DeleteFileA(file.fullPath)) {
        ReportError(window, GetLastError(), failure);
        return;
    }
    ModListDeleteRow(window, folder, row);
    ShowRowCount(window, folder);
}
