// Scanning: each scan empties its list and fills it again from its folder,
// in the order the folder search returns the entries. The installed list
// leaves out what the ignore list names; the available list leaves out
// nothing.
#include "mod_scan.h"

#include "ignore_list.h"
#include "size_text.h"

#include <stdio.h>

namespace {

struct FolderScan {
    const char *searchPattern;
    const char *pathFormat;
};

const FolderScan Folders[2] = {
    {"..\\main\\*.iwd", "..\\main\\%s"},
    {".\\mods\\*.iwd", ".\\mods\\%s"},
};

// Where the running scan of each list inserts its next row.
int insertionCounter[2];

// The absolute path of a file of the folder, folded as text. Empty when it
// cannot be made (the relative path or the result would not fit), so that a
// row never shows a path other than its own file's.
void MakeFullPath(ModFolder folder, const char *name, char *fullPath)
{
    char relative[ModTextBufferSize];
    fullPath[0] = '\0';
    int length = FormatText(relative, sizeof relative, Folders[folder].pathFormat, name);
    if (length < 0 || length >= (int)sizeof relative)
        return;
    DWORD made = GetFullPathNameA(relative, MAX_PATH, fullPath, nullptr);
    if (made == 0 || made >= MAX_PATH)
        fullPath[0] = '\0';
}

void AddRow(HWND window, ModFolder folder, const WIN32_FIND_DATAA &found)
{
    int index = insertionCounter[folder];
    // The name is shown in full, as the search returned it, even where it is
    // too long for its full path to be made.
    ModListInsertRow(window, folder, index, found.cFileName);

    char sizeText[ModTextBufferSize];
    FormatSizeText(found.nFileSizeLow, sizeText, sizeof sizeText);
    ModListSetCell(window, folder, index, SizeColumn, sizeText);

    char fullPath[MAX_PATH];
    MakeFullPath(folder, found.cFileName, fullPath);
    ModListSetCell(window, folder, index, FullPathColumn, fullPath);

    insertionCounter[folder]++;
}

void ScanFolder(HWND window, ModFolder folder)
{
    ModListBeginRefill(window, folder);
    ModListDeleteAll(window, folder);
    insertionCounter[folder] = 0;

    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(Folders[folder].searchPattern, &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            if (folder == InstalledFolder && IsIgnored(found.cFileName))
                continue;
            AddRow(window, folder, found);
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    ModListEndRefill(window, folder);
    ModListShowCount(window, folder, (unsigned)ModListRowCount(window, folder));
}

} // namespace

const char *ModFolderPathFormat(ModFolder folder)
{
    return Folders[folder].pathFormat;
}

void ScanInstalled(HWND window)
{
    ScanFolder(window, InstalledFolder);
}

void ScanAvailable(HWND window)
{
    ScanFolder(window, AvailableFolder);
}
