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
    game->caseFolder = base + "quill-e2e-" + std::to_string(GetCurrentProcessId()) + "-" +
                       std::to_string(++layoutsMade);
    static_cast<GameFolder &>(*game) = GameFolderIn(JoinPath(game->caseFolder, "game"));
    // A run that was killed leaves its folders; a later driver may be given
    // the same process id.
    if (PathExists(game->caseFolder))
        RemoveGameLayout(*game);
    if (PathExists(game->caseFolder)) {
        ADD_FAILURE() << "cannot clear " << game->caseFolder << ", left by an earlier run";
        return false;
    }
    if (!EnsureFolder(game->caseFolder) || !MakeGameFolder(*game) ||
        !WriteWholeFile(game->ignoreFile, ignoreText)) {
        ADD_FAILURE() << "cannot make the game folder in " << game->caseFolder << ", error "
                      << GetLastError();
        return false;
    }
    return true;
}

void RemoveGameLayout(const GameLayout &game)
{
    if (game.caseFolder.empty())
        return;
    // A program just killed may hold its files for a moment.
    WaitFor([&] {
        std::error_code error;
        std::filesystem::remove_all(game.caseFolder, error);
        return !error;
    });
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
