// The program's entry: the main dialog, run modally from start to exit.
#include "main_dialog.h"

#include <commctrl.h>

// The common controls library registers its list view class as it loads;
// of the classes asked for here, the bars, the program shows none. If the
// dialog cannot be created the program shows nothing and still ends with 0.
int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);
    RunMainDialog();
    return 0;
}
