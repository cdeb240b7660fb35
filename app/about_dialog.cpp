// The about box. Enter does nothing in it: no button is the default and
// command 1 (IDOK) is not one of its commands.
#include "about_dialog.h"

#include "about_text.h"
#include "resource.h"
#include "window_icons.h"

namespace {

void InitialiseAbout(HWND dialog)
{
    SetWindowIcons(dialog);
    char text[AboutTextBufferSize];
    ComposeAboutText(BuildDate(), BuildTime(), text, sizeof text);
    SetDlgItemTextA(dialog, IDC_ABOUT_TEXT, text);
}

void AboutCommand(HWND dialog, WPARAM wParam)
{
    switch (LOWORD(wParam)) {
    case IDC_ABOUT_OK:
    case IDCANCEL:
        PostMessageA(dialog, WM_CLOSE, 0, 0);
        break;
    }
}

} // namespace

INT_PTR CALLBACK AboutDialog(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG:
        InitialiseAbout(dialog);
        break;
    case WM_COMMAND:
        AboutCommand(dialog, wParam);
        break;
    case WM_CLOSE:
        EndDialog(dialog, 0);
        break;
    }
    return 0;
}

void RunAboutDialog(HWND owner)
{
    DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_ABOUT), owner, AboutDialog,
                    0);
}
