// The ignore-list editor: a modal dialog owned by the main window.
#ifndef QUILLMOOR_IGNORE_LIST_DIALOG_H
#define QUILLMOOR_IGNORE_LIST_DIALOG_H

#include "platform.h"

// Runs the editor until it closes; the owner takes no input meanwhile.
void RunIgnoreListDialog(HWND owner);

#endif
