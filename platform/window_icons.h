// Every window of the program wears the program's icon.
#ifndef QUILLMOOR_WINDOW_ICONS_H
#define QUILLMOOR_WINDOW_ICONS_H

#include "platform.h"

// Sets the program's icon group (IDI_QUILLMOOR) as the window's small icon,
// then as its big icon.
void SetWindowIcons(HWND window);

#endif
