// The benchmark's window under Windows: never shown, it holds the two list
// view controls and the two count labels under the main window's ids, with
// the main window's styles and columns, so that a scan goes through the
// program's own list operations and the real controls.
#include "bench_window.h"

#include "resource.h"

#include <commctrl.h>
#include <string.h>

namespace {

const char WindowClass[] = "QuillmoorBenchWindow";

// The main window's list and label rectangles, in pixels at the usual
// dialog unit size.
struct ChildLayout {
    const char *windowClass;
    int id;
    DWORD style;
    int x, y, width, height;
};

const DWORD ListStyle = WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP | LVS_REPORT |
                        LVS_SINGLESEL | LVS_AUTOARRANGE;
const DWORD LabelStyle = WS_CHILD | WS_VISIBLE | SS_RIGHT;

const ChildLayout Children[] = {
    {WC_LISTVIEWA, IDC_AVAILABLE_LIST, ListStyle, 12, 306, 528, 228},
    {WC_LISTVIEWA, IDC_INSTALLED_LIST, ListStyle, 12, 26, 528, 228},
    {"STATIC", IDC_INSTALLED_COUNT, LabelStyle, 432, 260, 108, 13},
    {"STATIC", IDC_AVAILABLE_COUNT, LabelStyle, 432, 540, 108, 13},
};

bool RegisterWindowClass()
{
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = WindowClass;
    return RegisterClassA(&windowClass) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

void AddListColumns(HWND list)
{
    RECT client;
    GetClientRect(list, &client);
    const struct {
        const char *header;
        int width;
    } columns[3] = {
        {"Name", 175},
        {"Filesize", 75},
        {"Full Path", (int)(client.right - client.left) - 250},
    };
    for (int i = 0; i < 3; i++) {
        LVCOLUMNA column = {};
        column.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT;
        column.fmt = LVCFMT_LEFT;
        column.cx = columns[i].width;
        column.pszText = const_cast<char *>(columns[i].header);
        SendMessageA(list, LVM_INSERTCOLUMNA, (WPARAM)i, (LPARAM)&column);
    }
    SendMessageA(list, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_FULLROWSELECT);
}

} // namespace

HWND OpenBenchWindow()
{
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&controls);
    if (!RegisterWindowClass())
        return nullptr;
    HINSTANCE module = GetModuleHandleA(nullptr);
    HWND window = CreateWindowExA(0, WindowClass, "Quillmoor MM bench",
                                  WS_POPUP | WS_CAPTION | WS_SYSMENU, 0, 0, 560, 580,
                                  nullptr, nullptr, module, nullptr);
    if (!window)
        return nullptr;
    for (const ChildLayout &child : Children) {
        HWND control = CreateWindowExA(0, child.windowClass, "0", child.style, child.x,
                                       child.y, child.width, child.height, window,
                                       (HMENU)(INT_PTR)child.id, module, nullptr);
        if (!control) {
            DestroyWindow(window);
            return nullptr;
        }
        if (strcmp(child.windowClass, WC_LISTVIEWA) == 0)
            AddListColumns(control);
    }
    return window;
}

void CloseBenchWindow(HWND window)
{
    DestroyWindow(window);
}
