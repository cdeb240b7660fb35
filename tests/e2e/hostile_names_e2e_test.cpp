// Names the narrow calls cannot hold, worked through the real window: a
// file named "m", a with a macron, ".iwd" is listed by best fit as
// "ma.iwd", and a path made from that name reaches another file ("MA.iwd"
// beside it: Windows' folders do not tell the two apart). Its row must
// show no full path, and an operation on it must be refused and touch
// nothing. The manifest here is taken with
// the wide calls: the harness's narrow one would read "MA.iwd" for both.
#include "e2e_harness.h"
#include "resource.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

namespace {

std::wstring Wide(const std::string &narrow)
{
    wchar_t wide[MAX_PATH];
    MultiByteToWideChar(CP_ACP, 0, narrow.c_str(), -1, wide, MAX_PATH);
    return wide;
}

std::string Utf8(const std::wstring &wide)
{
    char bytes[4 * MAX_PATH];
    WideCharToMultiByte(CP_UTF8, 0, wide.c_str(), -1, bytes, sizeof bytes, nullptr, nullptr);
    return bytes;
}

// Every file and folder under `folder` by its own name (UTF-8), with the
// bytes of each file.
void AddWide(const std::wstring &folder, const std::wstring &relative,
             std::map<std::string, std::string> *manifest)
{
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return;
    do {
        const std::wstring name = found.cFileName;
        if (name == L"." || name == L"..")
            continue;
        const std::wstring path = relative.empty() ? name : relative + L"\\" + name;
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            (*manifest)[Utf8(path)] = "folder";
            AddWide(folder + L"\\" + name, path, manifest);
            continue;
        }
        std::string bytes;
        HANDLE file = CreateFileW((folder + L"\\" + name).c_str(), GENERIC_READ,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
        char block[4096];
        DWORD got = 0;
        while (file != INVALID_HANDLE_VALUE &&
               ReadFile(file, block, sizeof block, &got, nullptr) && got > 0)
            bytes.append(block, got);
        if (file != INVALID_HANDLE_VALUE)
            CloseHandle(file);
        (*manifest)[Utf8(path)] = bytes;
    } while (FindNextFileW(search, &found));
    FindClose(search);
}

std::map<std::string, std::string> WideManifest(const std::string &root)
{
    std::map<std::string, std::string> manifest;
    AddWide(Wide(root), L"", &manifest);
    return manifest;
}

struct HostileNameTest : E2eTest {
    std::wstring hostile;

    void TearDown() override
    {
        StopProgram(&program);
        // Out of reach of the narrow calls that clear the game folder.
        if (!hostile.empty()) {
            DeleteFileW((Wide(game.mainFolder) + L"\\" + hostile).c_str());
            DeleteFileW((Wide(game.modsFolder) + L"\\" + hostile).c_str());
        }
        E2eTest::TearDown();
    }

    void MakeHostile(const std::string &folder, const std::wstring &name,
                     const std::string &bytes)
    {
        hostile = name;
        HANDLE file = CreateFileW((Wide(folder) + L"\\" + name).c_str(), GENERIC_WRITE, 0,
                                  nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        ASSERT_NE(file, INVALID_HANDLE_VALUE) << "error " << GetLastError();
        DWORD written = 0;
        WriteFile(file, bytes.data(), (DWORD)bytes.size(), &written, nullptr);
        CloseHandle(file);
        ASSERT_EQ(written, bytes.size());
    }

    void ExpectRefused(int list, ListCommand command, const char *failure)
    {
        const auto before = WideManifest(game.caseFolder);
        ASSERT_TRUE(RightClickRow(&program, list, "ma.iwd"));
        ASSERT_TRUE(ChooseMenuItem(&program, command));
        // Delete too refuses at once: it never asks about a row it cannot
        // delete.
        ShownMessageBox box;
        // The manifest is compared even where the report is missing: it
        // shows what a wrongly made path did.
        const bool reported = FindMessageBox(&program, &box);
        EXPECT_TRUE(reported) << "no report of \"" << failure << "\"";
        if (reported) {
            ExpectErrorReport(box, failure);
            EXPECT_TRUE(AnswerMessageBox(&program, box, IDOK));
        }
        ExpectNoMessageBox();
        EXPECT_EQ(WideManifest(game.caseFolder), before);
    }
};

} // namespace

TEST_F(HostileNameTest, ABestFitNameIsListedWithoutAPathAndRefused)
{
    AddInstalled("MA.iwd", 15);
    MakeHostile(game.mainFolder, L"m\x0101.iwd", "m-macron");
    AddAvailable("other.iwd", 7);
    ASSERT_TRUE(StartProgram(&program, game));

    bool seen = false;
    for (const ShownRow &row : Rows(IDC_INSTALLED_LIST)) {
        if (row.name == "ma.iwd") {
            seen = true;
            EXPECT_EQ(row.size, "8B");
            EXPECT_EQ(row.fullPath, "");
        }
    }
    EXPECT_TRUE(seen) << "the best-fit name is not listed";

    ExpectRefused(IDC_INSTALLED_LIST, UninstallCommand, "Failed to uninstall the mod.");
    ExpectRefused(IDC_INSTALLED_LIST, DeleteCommand, "Failed to delete the mod.");
}
