// The program's entry: the main dialog, run modally from start to exit.
#include "main_dialog.h"
#include "resource.h"

#include <commctrl.h>

// The list views need no class of their own here: the bar classes are the
// ones asked for. If the dialog cannot be created the program shows nothing
// and still ends with 0.
int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);
    DialogBoxParamA(instance, MAKEINTRESOURCEA(IDD_MAIN), nullptr, MainDialog, 0);
    return 0;
}
