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

// Whether a name is one file name and nothing more: no separator, drive or
// stream colon or wildcard, which a path would take for more than a name.
bool IsOneFileName(const char *name)
{
    return strpbrk(name, "\\/:*?\"<>|") == nullptr;
}

// The absolute path of a file of the folder, folded as text; false when it
// cannot be made (the relative path or the result would not fit).
bool MakeFullPath(ModFolder folder, const char *name, char *fullPath, DWORD size)
{
    char relative[TextBufferSize];
    DWORD made = 0;
    if (FormatText(relative, sizeof relative, Folders[folder].pathFormat, name) >= 0)
        made = GetFullPathNameA(relative, size, fullPath, nullptr);
    return made > 0 && made < size;
}

// The full path of a found file, where it reaches that file and no other;
// otherwise it is left empty, so that a row never shows a path other than
// its own file's, and the reason is given.
MissingPath MakeRowPath(ModFolder folder, const WIN32_FIND_DATAA &found, OwnNameCheck *names,
                        char *fullPath)
{
    bool made = MakeFullPath(folder, found.cFileName, fullPath, MAX_PATH);
    // Asked of every entry, as the check follows the search.
    OwnPath own = CheckOwnPath(names, &found, made ? fullPath : "");
    // A separator in the name makes a path into another folder, and path
    // normalisation drops a final dot or space, giving another file's name.
    MissingPath missing = !IsOneFileName(found.cFileName) ? NameNotOwn
                          : !made                         ? NameTooLong
                          : own == PathIsOwn              ? PathMade
                          : own == EntryUnlisted          ? FolderChanged
                                                          : NameNotOwn;
    if (missing != PathMade)
        fullPath[0] = '\0';
    return missing;
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
    MissingPath missing = MakeRowPath(folder, found, names, fullPath);
    ModListSetCell(window, folder, index, FullPathColumn, fullPath);
    if (missing != PathMade)
        ModListSetNote(window, folder, index, missing);

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

void ScanInstalled(HWND window)
{
    ScanFolder(window, InstalledFolder);
}

void ScanAvailable(HWND window)
{
    ScanFolder(window, AvailableFolder);
}

void ScanList(HWND window, ModFolder folder)
{
    ScanFolder(window, folder);
}
