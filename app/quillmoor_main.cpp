// The program's entry: the main dialog, run modally from start to exit.
#include "main_dialog.h"

#include <commctrl.h>

// The list views need no class of their own here: the bar classes are the
// ones asked for. If the dialog cannot be created the program shows nothing
// and still ends with 0.
int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);
    RunMainDialog();
    return 0;
}
