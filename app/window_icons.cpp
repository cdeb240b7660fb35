#include "window_icons.h"

#include "resource.h"

void SetWindowIcons(HWND window)
{
    HINSTANCE module = GetModuleHandleA(nullptr);
    HICON small = LoadIconA(module, MAKEINTRESOURCEA(IDI_QUILLMOOR));
    SendMessageA(window, WM_SETICON, ICON_SMALL, (LPARAM)small);
    HICON big = LoadIconA(module, MAKEINTRESOURCEA(IDI_QUILLMOOR));
    SendMessageA(window, WM_SETICON, ICON_BIG, (LPARAM)big);
}
