// Names the narrow calls cannot hold, worked through the real window: a
// file named "m", a with a macron, ".iwd" is listed by best fit as
// "ma.iwd", and a path made from that name reaches another file ("MA.iwd"
// beside it: Windows' folders do not tell the two apart). Its row must
// show no full path, and an operation on it must be refused and touch
// nothing. The snapshot takes the names as the system holds them: the
// narrow calls would read "ma.iwd" for both.
#include "case_script.h"
#include "e2e_harness.h"
#include "resource.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::wstring Wide(const std::string &narrow)
{
    wchar_t wide[MAX_PATH];
    MultiByteToWideChar(CP_ACP, 0, narrow.c_str(), -1, wide, MAX_PATH);
    return wide;
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

    // Delete too refuses at once: it never asks about a row it cannot
    // delete. The snapshot is compared even where the report is missing: it
    // shows what a wrongly made path did.
    CaseSteps steps(this);
    steps("mark | menu main ma.iwd | Uninstall | error Uninstall | same"
          " | menu main ma.iwd | Delete | error Delete | same");
}
