// The program's icon on a window, read back within this process: Wine does
// not carry WM_GETICON from another one, so the end-to-end cases cannot.
#include "window_icons.h"

#include <gtest/gtest.h>

TEST(WindowIconsTest, AWindowWearsTheIconSmallAndBig)
{
    // A message-only window needs no display.
    HWND window = CreateWindowExA(0, "STATIC", "", 0, 0, 0, 10, 10, HWND_MESSAGE, nullptr,
                                  GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(window, nullptr);
    ASSERT_EQ(SendMessageA(window, WM_GETICON, ICON_BIG, 0), 0);

    SetWindowIcons(window);

    EXPECT_NE(SendMessageA(window, WM_GETICON, ICON_SMALL, 0), 0) << "no small icon";
    EXPECT_NE(SendMessageA(window, WM_GETICON, ICON_BIG, 0), 0) << "no big icon";
    DestroyWindow(window);
}
