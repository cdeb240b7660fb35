// Install, uninstall and delete: each works on one row of a mod list, moves
// or deletes that row's file, and on success brings the lists and their
// count labels up to date. A failure changes nothing and is reported with
// the system's reason.
#include "mod_operations.h"

#include "mod_scan.h"

#include <stdio.h>

namespace {

bool IsRow(HWND window, ModFolder folder, int row)
{
    return row >= 0 && row < ModListRowCount(window, folder);
}

void ShowRowCount(HWND window, ModFolder folder)
{
    ModListShowCount(window, folder, (unsigned)ModListRowCount(window, folder));
}

// The scan leaves the full path empty where no path reaches the row's file
// alone; such a row is refused, touching nothing.
void RefuseRowWithoutPath(HWND window, ModFolder folder, int row, const char *failure)
{
    char name[ModTextBufferSize];
    ModListGetCell(window, folder, row, NameColumn, name, sizeof name);
    ReportError(window, MissingFullPathReason(folder, name), failure);
}

bool GetSize(const char *path, DWORD *low, DWORD *high)
{
    WIN32_FILE_ATTRIBUTE_DATA information;
    if (!GetFileAttributesExA(path, GetFileExInfoStandard, &information))
        return false;
    *low = information.nFileSizeLow;
    *high = information.nFileSizeHigh;
    return true;
}

// Moves the file of a row of one folder's list into the other folder, under
// the same name. True when the file has moved; otherwise the user has been
// told why, under `failure`.
bool MoveRowFile(HWND window, ModFolder from, ModFolder to, int row, const char *failure)
{
    char fullPath[MAX_PATH];
    char name[ModTextBufferSize];
    ModListGetCell(window, from, row, FullPathColumn, fullPath, sizeof fullPath);
    ModListGetCell(window, from, row, NameColumn, name, sizeof name);
    if (fullPath[0] == '\0') {
        RefuseRowWithoutPath(window, from, row, failure);
        return false;
    }

    // A name cut short by its buffer makes a destination longer than a path
    // can be, so the file is never moved under another name.
    char destination[MAX_PATH];
    int length = snprintf(destination, sizeof destination, ModFolderPathFormat(to), name);
    if (length < 0 || length >= (int)sizeof destination) {
        ReportError(window, ERROR_FILENAME_EXCED_RANGE, failure);
        return false;
    }

    DWORD low, high, lowAfter, highAfter;
    bool destinationWasThere = GetSize(destination, &lowAfter, &highAfter);
    bool sourceWasThere = GetSize(fullPath, &low, &high);
    if (!MoveFileA(fullPath, destination)) {
        DWORD code = GetLastError();
        // Between volumes a move copies the file; where a failed copy leaves
        // what it wrote while the source is still there whole, that part
        // goes again, so that the destination is as it was.
        if (!destinationWasThere && sourceWasThere && GetSize(destination, &lowAfter, &highAfter) &&
            GetSize(fullPath, &lowAfter, &highAfter) && lowAfter == low && highAfter == high)
            DeleteFileA(destination);
        ReportError(window, code, failure);
        return false;
    }
    return true;
}

} // namespace

void InstallMod(HWND window, int row)
{
    if (!IsRow(window, AvailableFolder, row))
        return;
    if (!MoveRowFile(window, AvailableFolder, InstalledFolder, row,
                     "Failed to install the mod."))
        return;
    ModListDeleteRow(window, AvailableFolder, row);
    ScanInstalled(window);
    ShowRowCount(window, AvailableFolder);
}

void UninstallMod(HWND window, int row)
{
    if (!IsRow(window, InstalledFolder, row))
        return;
    if (!MoveRowFile(window, InstalledFolder, AvailableFolder, row,
                     "Failed to uninstall the mod."))
        return;
    ModListDeleteRow(window, InstalledFolder, row);
    ShowRowCount(window, InstalledFolder);
    ScanAvailable(window);
}

void DeleteMod(HWND window, int row, ModFolder folder)
{
    if (!IsRow(window, folder, row))
        return;

    char fullPath[MAX_PATH];
    ModListGetCell(window, folder, row, FullPathColumn, fullPath, sizeof fullPath);
    if (fullPath[0] == '\0') {
        RefuseRowWithoutPath(window, folder, row, "Failed to delete the mod.");
        return;
    }
    if (!DeleteFileA(fullPath)) {
        ReportError(window, GetLastError(), "Failed to delete the mod.");
        return;
    }
    ModListDeleteRow(window, folder, row);
    ShowRowCount(window, folder);
}
