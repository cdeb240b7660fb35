// The text of the about box: the program's name, its version and when this
// build was made.
#ifndef QUILLMOOR_ABOUT_TEXT_H
#define QUILLMOOR_ABOUT_TEXT_H

#include "platform.h"

// The date and time this file was compiled, as the compiler gives them:
// "Mmm dd yyyy" (the day padded with a space) and "hh:mm:ss".
const char *BuildDate();
const char *BuildTime();

// Writes the about text of a build made on `date` at `time` into `text`
// (`size` bytes, always terminated): six lines separated by "\r\n", with no
// line break after the last.
void ComposeAboutText(const char *date, const char *time, char *text, size_t size);

#endif
