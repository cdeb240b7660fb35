// The program's icon on a window's caption and task bar button.
#include "window_icons.h"

#include "resource.h"

void SetWindowIcons(HWND window)
{
    HINSTANCE module = GetModuleHandleA(nullptr);
    HICON smallIcon = LoadIconA(module, MAKEINTRESOURCEA(IDI_QUILLMOOR));
    SendMessageA(window, WM_SETICON, ICON_SMALL, (LPARAM)smallIcon);
    HICON bigIcon = LoadIconA(module, MAKEINTRESOURCEA(IDI_QUILLMOOR));
    SendMessageA(window, WM_SETICON, ICON_BIG, (LPARAM)bigIcon);
}
