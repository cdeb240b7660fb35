// What every dialog of the program does the same way: it runs modally from a
// template of the program's own resources, and it closes only through
// WM_CLOSE, which its buttons and Esc post.
#ifndef QUILLMOOR_DIALOGS_H
#define QUILLMOOR_DIALOGS_H

#include "platform.h"

// Runs the dialog of template `templateId` until it ends; `owner` (none for
// the main window) takes no input meanwhile.
void RunDialog(HWND owner, int templateId, DLGPROC procedure);

// Asks `dialog` to close, once the message at hand has been handled.
void RequestClose(HWND dialog);

#endif
