// Install, uninstall and delete: each works on one row of a mod list, moves
// or deletes that row's file, and on success brings the lists and their
// count labels up to date. A failure changes nothing and is reported with
// the system's reason.
#include "mod_operations.h"

#include "error_report.h"
#include "mod_scan.h"

#include <stdio.h>

namespace {

// The scan leaves the full path empty where no path reaches the row's file
// alone; such a row is refused, touching nothing.
void RefuseRowWithoutPath(HWND window, ModFolder folder, const RowFile &file,
                          const char *failure)
{
    ReportError(window, MissingFullPathReason(folder, file.name), failure);
}

// Whether a file is there, and its size.
struct FileState {
    bool exists;
    DWORD sizeLow;
    DWORD sizeHigh;
};

FileState StateOf(const char *path)
{
    WIN32_FILE_ATTRIBUTE_DATA information;
    if (!GetFileAttributesExA(path, GetFileExInfoStandard, &information))
        return FileState{false, 0, 0};
    return FileState{true, information.nFileSizeLow, information.nFileSizeHigh};
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
    int length =
        FormatText(destination, sizeof destination, ModFolderPathFormat(to), file.name);
    if (length < 0 || length >= (int)sizeof destination) {
        ReportError(window, ERROR_FILENAME_EXCED_RANGE, failure);
        return false;
    }

    FileState destinationBefore = StateOf(destination);
    FileState sourceBefore = StateOf(fullPath);
    if (!MoveFileA(fullPath, destination)) {
        DWORD code = GetLastError();
        // Between volumes a move copies the file; where a failed copy leaves
        // what it wrote while the source is still there whole, that part
        // goes again, so that the destination is as it was.
        FileState destinationAfter = StateOf(destination);
        FileState sourceAfter = StateOf(fullPath);
        if (!destinationBefore.exists && destinationAfter.exists && sourceBefore.exists &&
            sourceAfter.exists && sourceAfter.sizeLow == sourceBefore.sizeLow &&
            sourceAfter.sizeHigh == sourceBefore.sizeHigh)
            DeleteFileA(destination);
        ReportError(window, code, failure);
        return false;
    }
    return true;
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
