#include "dialogs.h"

void RunDialog(HWND owner, int templateId, DLGPROC procedure)
{
    DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(templateId), owner, procedure,
                    0);
}

void RequestClose(HWND dialog)
{
    PostMessageA(dialog, WM_CLOSE, 0, 0);
}
