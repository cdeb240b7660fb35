// The about box: the program's icon, name, version and build time.
#ifndef QUILLMOOR_ABOUT_DIALOG_H
#define QUILLMOOR_ABOUT_DIALOG_H

#include "platform.h"

// Shows the about box until it is closed; the owner takes no input meanwhile.
void RunAboutDialog(HWND owner);

#endif
