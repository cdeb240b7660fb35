// The size text of a mod archive, as its list's "Filesize" column shows it.
#ifndef QUILLMOOR_SIZE_TEXT_H
#define QUILLMOOR_SIZE_TEXT_H

#include "platform.h"

#include <stddef.h>

// Writes "<n>B", "<n>KB", "<n>MB" or "<n>GB" into `text` (`size` bytes,
// always terminated; "4294967295B" takes 12).
void FormatSizeText(DWORD bytes, char *text, size_t size);

#endif
