// Install, uninstall and delete: each works on one row of a mod list, moves
// or deletes that row's file, and on success brings the lists and their
// count labels up to date. A failure changes nothing and is reported with
// the system's reason.
#include "mod_operations.h"

#include "error_report.h"
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

// Moves the file of a row of one folder's list into the other folder, under
// the same name. True when the file has moved; otherwise the user has been
// told why, under `failure`.
bool MoveRowFile(HWND window, ModFolder from, ModFolder to, int row, const char *failure)
{
    char fullPath[MAX_PATH];
    char name[ModTextBufferSize];
    ModListGetCell(window, from, row, FullPathColumn, fullPath, sizeof fullPath);
    ModListGetCell(window, from, row, NameColumn, name, sizeof name);

    // The scan leaves the full path empty where it could not be made. A name
    // cut short by its buffer makes a destination longer than a path can be,
    // so the file is never moved under another name.
    char destination[MAX_PATH];
    int length = FormatText(destination, sizeof destination, ModFolderPathFormat(to), name);
    if (fullPath[0] == '\0' || length < 0 || length >= (int)sizeof destination) {
        ReportError(window, ERROR_FILENAME_EXCED_RANGE, failure);
        return false;
    }

    if (!MoveFileA(fullPath, destination)) {
        ReportError(window, GetLastError(), failure);
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
        ReportError(window, ERROR_FILENAME_EXCED_RANGE, "Failed to delete the mod.");
        return;
    }
    if (!DeleteFileA(fullPath)) {
        ReportError(window, GetLastError(), "Failed to delete the mod.");
        return;
    }
    ModListDeleteRow(window, folder, row);
    ShowRowCount(window, folder);
}
