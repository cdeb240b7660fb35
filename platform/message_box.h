// The core's one way to speak to the user. The program shows a real message
// box (MessageBoxA); the unit tests link a recorder in its place, so that no
// test ever waits for a click.
#ifndef QUILLMOOR_MESSAGE_BOX_H
#define QUILLMOOR_MESSAGE_BOX_H

#include "platform.h"

int ShowMessageBox(HWND owner, const char *text, const char *caption, UINT type);

// Every failure the user is told of: `text` in an error box owned by the
// window at hand, under the program's one error caption.
void ShowErrorMessage(HWND owner, const char *text);

#endif
