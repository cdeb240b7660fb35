// The empty dialog: the least a program of this kind does to show a window,
// a modal dialog from a template with nothing in it. The benchmark times
// the program's start-up against this one's.
#include <windows.h>

namespace {

const int EmptyDialogTemplate = 1;

INT_PTR CALLBACK EmptyDialog(HWND window, UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_COMMAND:
        if (LOWORD(wParam) == IDCANCEL)
            PostMessageA(window, WM_CLOSE, 0, 0);
        return 0;
    case WM_CLOSE:
        EndDialog(window, 0);
        return 0;
    }
    return 0;
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    DialogBoxParamA(instance, MAKEINTRESOURCEA(EmptyDialogTemplate), nullptr, EmptyDialog, 0);
    return 0;
}
