// The program's error box: one caption and one icon for every failure.
#include "message_box.h"

void ShowErrorMessage(HWND owner, const char *text)
{
    ShowMessageBox(owner, text, "Quillmoor MM - Error", MB_ICONERROR);
}
