// Scanning: each scan empties its list and fills it again from its folder,
// in the order the folder search returns the entries. The installed list
// leaves out what the ignore list names; the available list leaves out
// nothing.
#include "mod_scan.h"

#include "ignore_list.h"
#include "own_names.h"
#include "size_text.h"

#include <stdio.h>
#include <string.h>

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
void MakeFullPath(ModFolder folder, const char *name, char *fullPath, DWORD size)
{
    char relative[TextBufferSize];
    DWORD made = 0;
    if (FormatText(relative, sizeof relative, Folders[folder].pathFormat, name) >= 0)
        made = GetFullPathNameA(relative, size, fullPath, nullptr);
    if (made == 0 || made >= size)
        fullPath[0] = '\0';
}

void AddRow(HWND window, ModFolder folder, const WIN32_FIND_DATAA &found, OwnNameCheck *names)
{
    int index = insertionCounter[folder];
    // The name is shown in full, as the search returned it, even where no
    // full path is made for it.
    ModListInsertRow(window, folder, index, found.cFileName);

    char sizeText[TextBufferSize];
    FormatSizeText(found.nFileSizeLow, sizeText, sizeof sizeText);
    ModListSetCell(window, folder, index, SizeColumn, sizeText);

    char fullPath[MAX_PATH];
    MakeFullPath(folder, found.cFileName, fullPath, sizeof fullPath);
    // A separator in the name makes a path into another folder, and path
    // normalisation drops a final dot or space, giving another file's name.
    if (!IsOwnPath(names, &found, fullPath))
        fullPath[0] = '\0';
    ModListSetCell(window, folder, index, FullPathColumn, fullPath);

    insertionCounter[folder]++;
}

void ScanFolder(HWND window, ModFolder folder)
{
    ModListBeginRefill(window, folder);
    ModListDeleteAll(window, folder);
    insertionCounter[folder] = 0;

    OwnNameCheck names;
    BeginOwnNames(&names, Folders[folder].searchPattern);
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(Folders[folder].searchPattern, &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            if (folder == InstalledFolder && IsIgnored(found.cFileName))
                continue;
            AddRow(window, folder, found, &names);
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    EndOwnNames(&names);
    ModListEndRefill(window, folder);
    ShowRowCount(window, folder);
}

} // namespace

const char *ModFolderPathFormat(ModFolder folder)
{
    return Folders[folder].pathFormat;
}

DWORD MissingFullPathReason(ModFolder folder, const char *name)
{
    char fullPath[MAX_PATH];
    MakeFullPath(folder, name, fullPath, sizeof fullPath);
    if (fullPath[0] == '\0')
        return ERROR_FILENAME_EXCED_RANGE;
    // The folder is read again: where the name is listed once and would
    // reach its own file now, it was refused because the folder changed
    // while it was read.
    const char *pattern = Folders[folder].searchPattern;
    OwnNameCheck names;
    BeginOwnNames(&names, pattern);
    int listed = 0;
    bool own = false;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(pattern, &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            if (strcmp(found.cFileName, name) == 0) {
                listed++;
                own = IsOwnPath(&names, &found, fullPath);
            }
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    EndOwnNames(&names);
    own = own && listed == 1;
    return own ? ERROR_SUCCESS : ERROR_INVALID_NAME;
}

void ScanInstalled(HWND window)
{
    ScanFolder(window, InstalledFolder);
}

void ScanAvailable(HWND window)
{
    ScanFolder(window, AvailableFolder);
}
