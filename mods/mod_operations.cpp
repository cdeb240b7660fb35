// Install, uninstall and delete: each works on one row of a mod list, moves
// or deletes that row's file, and on success brings the lists and their
// count labels up to date. A failure changes nothing and is reported with
// the system's reason.
#include "mod_operations.h"

#include "error_report.h"
#include "mod_scan.h"

#include <stdio.h>

namespace {

// Why a row the scan refused because its folder changed meanwhile cannot be
// worked on until the next scan.
const char FolderChangedReason[] = "The folder changed while it was read: use Scan.";

// The scan leaves the full path empty where no path reaches the row's file
// alone; such a row is refused, touching nothing.
void RefuseRowWithoutPath(HWND window, ModFolder folder, const RowFile &file,
                          const char *failure)
{
    DWORD code = MissingFullPathReason(folder, file.name);
    if (code == ERROR_SUCCESS)
        ReportFailure(window, FolderChangedReason, failure);
    else
        ReportError(window, code, failure);
}

// What a look at a file found: there, with its attributes and size; surely
// not there (no such file or folder); or neither, when the look itself
// failed (a share that did not answer, a folder that may not be read).
struct FileState {
    bool exists;
    bool absent;
    DWORD attributes;
    DWORD sizeLow;
    DWORD sizeHigh;
};

FileState StateOf(const char *path)
{
    WIN32_FILE_ATTRIBUTE_DATA information;
    if (!GetFileAttributesExA(path, GetFileExInfoStandard, &information)) {
        DWORD code = GetLastError();
        return FileState{false, code == ERROR_FILE_NOT_FOUND || code == ERROR_PATH_NOT_FOUND, 0,
                         0, 0};
    }
    return FileState{true, false, information.dwFileAttributes, information.nFileSizeLow,
                     information.nFileSizeHigh};
}

// Whether the source is still there, of the size it had before the move.
bool StillWhole(const FileState &before, const FileState &after)
{
    return before.exists && after.exists && after.sizeLow == before.sizeLow &&
           after.sizeHigh == before.sizeHigh;
}

// Removes the copy a move between volumes made and did not finish with. A
// read-only copy (of a read-only mod) is made writable first, that copy only.
void RemoveCopy(const char *destination)
{
    FileState copy = StateOf(destination);
    if (!copy.exists)
        return;
    if (copy.attributes & FILE_ATTRIBUTE_READONLY)
        SetFileAttributesA(destination, copy.attributes & ~(DWORD)FILE_ATTRIBUTE_READONLY);
    DeleteFileA(destination);
}

// Moves the file a row of one folder's list shows into the other folder,
// under the same name. True when the file has moved; otherwise the user has
// been told why, under `failure`.
bool MoveRowFile(HWND window, const RowFile &file, ModFolder from, ModFolder to,
                 const char *failure)
{
    const char *fullPath = file.fullPath;
    if (fullPath[0] == '\0') {
        RefuseRowWithoutPath(window, from, file, failure);
        return false;
    }

    // A name too long for the destination is never moved under a shorter
    // one.
    char destination[MAX_PATH];
    if (FormatText(destination, sizeof destination, ModFolderPathFormat(to), file.name) < 0) {
        ReportError(window, ERROR_FILENAME_EXCED_RANGE, failure);
        return false;
    }

    FileState destinationBefore = StateOf(destination);
    FileState sourceBefore = StateOf(fullPath);
    DWORD code;
    if (MoveFileA(fullPath, destination)) {
        // Between volumes Windows copies, and where the source then cannot
        // be deleted it still reports success: with the source still there
        // whole, the file has not moved.
        if (!StillWhole(sourceBefore, StateOf(fullPath)))
            return true;
        code = ERROR_ACCESS_DENIED;
    } else {
        code = GetLastError();
    }
    // Only what the failed move itself left goes again: a copy in a
    // destination that was surely not there before, while the source is
    // still there whole. "File exists" means another program's file took
    // the name meanwhile; a move within one volume is a rename, which
    // leaves nothing.
    if (code != ERROR_ALREADY_EXISTS && code != ERROR_FILE_EXISTS && destinationBefore.absent &&
        StillWhole(sourceBefore, StateOf(fullPath)))
        RemoveCopy(destination);
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
    RowFile file;
    if (!ReadRowFile(window, folder, row, &file))
        return;
    if (file.fullPath[0] == '\0') {
        RefuseRowWithoutPath(window, folder, file, "Failed to delete the mod.");
        return;
    }
    if (!DeleteFileA(file.fullPath)) {
        ReportError(window, GetLastError(), "Failed to delete the mod.");
        return;
    }
    ModListDeleteRow(window, folder, row);
    ShowRowCount(window, folder);
}
