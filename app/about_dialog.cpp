// The about box. Enter does nothing in it: no button is the default and
// command 1 (IDOK) is not one of its commands.
#include "about_dialog.h"

#include "about_text.h"
#include "dialogs.h"
#include "resource.h"
#include "window_icons.h"

namespace {

void OnInitDialog(HWND dialog)
{
    SetWindowIcons(dialog);
    char text[TextBufferSize];
    ComposeAboutText(BuildDate(), BuildTime(), text, sizeof text);
    SetDlgItemTextA(dialog, IDC_ABOUT_TEXT, text);
}

void OnCommand(HWND dialog, WPARAM wParam)
{
    switch (LOWORD(wParam)) {
    case IDC_ABOUT_OK:
    case IDCANCEL:
        RequestClose(dialog);
        break;
    }
}

void OnClose(HWND dialog)
{
    EndDialog(dialog, 0);
}

INT_PTR CALLBACK AboutDialog(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG:
        OnInitDialog(dialog);
        break;
    case WM_COMMAND:
        OnCommand(dialog, wParam);
        break;
    case WM_CLOSE:
        OnClose(dialog);
        break;
    }
    return 0;
}

} // namespace

void RunAboutDialog(HWND owner)
{
    RunDialog(owner, IDD_ABOUT, AboutDialog);
}
