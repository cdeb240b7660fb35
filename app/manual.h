// The program's HTML manual, opened with whatever the system opens such a
// file with.
#ifndef QUILLMOOR_MANUAL_H
#define QUILLMOOR_MANUAL_H

#include "platform.h"

// Opens ".\manual\index.html"; tells the user, in a message box owned by
// `owner`, when the file is not there.
void OpenManual(HWND owner);

#endif
