// What the fuzz targets share: a scratch game folder for the whole run, whole
// files written and read, a check that stops the run on a broken rule, and
// the message box, answered here instead of by a user.
#ifndef QUILLMOOR_FUZZ_SUPPORT_H
#define QUILLMOOR_FUZZ_SUPPORT_H

#include "platform.h"

#include <string>

// Makes <temp>/quill-fuzz-<process>/main and .../QuillmoorMM/mods and makes
// QuillmoorMM the current directory, as when the program runs; removed again
// when the process exits. Returns true so that it can start a static value.
bool EnterScratchGameFolder();

// Whole scratch files (with files.h), the run stopped when one fails.
void WriteScratchFile(const char *path, const std::string &bytes);
std::string ReadScratchFile(const char *path);

// Removes every entry of a folder, leaving the folder itself.
void EmptyFolder(const char *path);

// A rule of the core that does not hold: said on stderr, then abort(), so
// that libFuzzer keeps the input that broke it.
void Check(bool holds, const char *rule);

// How many message boxes the core asked for since the process started.
extern int messageBoxesShown;

#endif
