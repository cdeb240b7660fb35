// The program's entry: the main dialog, run modally from start to exit.
#include "platform.h"

#include <commctrl.h>

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);
    // The main window is not built yet: without its template the dialog
    // cannot be created and the program ends at once.
    DialogBoxParamA(instance, MAKEINTRESOURCEA(1001), nullptr, nullptr, 0);
    return 0;
}
