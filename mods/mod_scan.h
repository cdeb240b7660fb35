// Scanning the two mod folders into their lists.
#ifndef QUILLMOOR_MOD_SCAN_H
#define QUILLMOOR_MOD_SCAN_H

#include "mod_list.h"

// Names, relative paths and size texts are composed in buffers of this size.
const int ModTextBufferSize = 255;

// "..\main\%s" or ".\mods\%s": where a file of the folder lies, relative to
// the current directory.
const char *ModFolderPathFormat(ModFolder folder);

void ScanInstalled(HWND window);
void ScanAvailable(HWND window);

// Writes "<n>B", "<n>KB", "<n>MB" or "<n>GB" into `text`, which holds at
// least 16 bytes.
void FormatSizeText(DWORD size, char *text);

#endif
