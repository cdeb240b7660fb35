// Game folders and their files, made and read with the system's own calls
// as the program sees them; every failure fails the case.
#include "game_layout.h"

#include "wait.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

int layoutsMade;

} // namespace

bool MakeGameLayout(GameLayout *game, const std::string &ignoreText)
{
    char temp[MAX_PATH], longTemp[MAX_PATH];
    DWORD length = GetTempPathA(sizeof temp, temp);
    if (length == 0 || length >= sizeof temp) {
        ADD_FAILURE() << "no temporary folder";
        return false;
    }
    length = GetLongPathNameA(temp, longTemp, sizeof longTemp);
    std::string base = (length > 0 && length < sizeof longTemp) ? longTemp : temp;
    if (base.back() != '\\')
        base += '\\';
    game->root = base + "quill-e2e-" + std::to_string(GetCurrentProcessId()) + "-" +
                 std::to_string(++layoutsMade);
    GamePaths paths = GamePathsIn(game->root + "\\game");
    game->mainFolder = paths.mainFolder;
    game->programFolder = paths.programFolder;
    game->modsFolder = paths.modsFolder;
    game->ignoreFile = game->programFolder + "\\ignore.list";
    // A run that was killed leaves its folders; a later driver may be given
    // the same process id.
    if (PathExists(game->root))
        RemoveGameLayout(*game);
    if (PathExists(game->root)) {
        ADD_FAILURE() << "cannot clear " << game->root << ", left by an earlier run";
        return false;
    }
    if (!EnsureFolder(game->root) || !MakeGameFolders(paths)) {
        ADD_FAILURE() << "cannot make the folders of " << game->root << ", error "
                      << GetLastError();
        return false;
    }
    return WriteBytesFile(game->ignoreFile, ignoreText);
}

void RemoveGameLayout(const GameLayout &game)
{
    if (game.root.empty())
        return;
    // A program just killed may hold its files for a moment.
    WaitFor([&] {
        std::error_code error;
        std::filesystem::remove_all(game.root, error);
        return !error;
    });
}

bool WriteSizedFile(const std::string &path, unsigned size)
{
    if (!MakeSizedFile(path, size)) {
        ADD_FAILURE() << "cannot make " << path << " of " << size << " bytes, error "
                      << GetLastError();
        return false;
    }
    return true;
}

std::string ReadWholeFile(const std::string &path)
{
    std::string bytes;
    return ReadWholeFile(path, &bytes) ? bytes : "<missing>";
}

bool WriteBytesFile(const std::string &path, const std::string &bytes)
{
    if (!WriteWholeFile(path, bytes)) {
        ADD_FAILURE() << "cannot write " << path << ", error " << GetLastError();
        return false;
    }
    return true;
}

namespace {

// The narrow calls stop at MAX_PATH; names of the longest kind in a folder
// need the wide ones, with the path in its "\\?\" form.
std::wstring LongPathOf(const std::string &path)
{
    int length = MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, nullptr, 0);
    std::wstring wide(length > 0 ? length : 1, L'\0');
    MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, &wide[0], length);
    wide.resize(wcslen(wide.c_str()));
    return L"\\\\?\\" + wide;
}

} // namespace

HANDLE OpenLongPath(const std::string &path, DWORD access, DWORD sharing, DWORD disposition)
{
    return CreateFileW(LongPathOf(path).c_str(), access, sharing, nullptr, disposition,
                       FILE_ATTRIBUTE_NORMAL, nullptr);
}

bool DeleteLongPath(const std::string &path)
{
    return DeleteFileW(LongPathOf(path).c_str()) != FALSE;
}

