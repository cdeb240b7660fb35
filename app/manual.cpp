// Opening the manual. Only a missing file is worth a word to the user: any
// other failure of the system's viewer is the viewer's own to report.
#include "manual.h"

#include "message_box.h"

#include <shellapi.h>

void OpenManual(HWND owner)
{
    HINSTANCE result = ShellExecuteA(nullptr, "OPEN", ".\\manual\\index.html", nullptr, nullptr,
                                     SW_SHOWNORMAL);
    if ((INT_PTR)result == SE_ERR_FNF) {
        ShowErrorMessage(owner,
                         "Cannot find manual, should be in the same directory as this. "
                         "(.\\manual\\).\nReinstalling Quillmoor MM might fix this problem.");
    }
}
