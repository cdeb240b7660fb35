// Finding the program's windows: its dialogs, the message boxes they own and
// its menus. Each looks once and gives null (or false) when there is none;
// waiting for one is the caller's.
#ifndef QUILLMOOR_E2E_PROGRAM_WINDOWS_H
#define QUILLMOOR_E2E_PROGRAM_WINDOWS_H

#include "program.h"

#include <windows.h>

// The visible window of the program of this class (and caption, unless
// null) whose owner is `owner` where `ownerMatters`.
HWND FindProgramWindow(const Program &program, const char *className, const char *caption,
                       bool ownerMatters, HWND owner);
// The dialog or message box (class "#32770") that `owner` owns, shown yet or
// not.
HWND FindOwnedDialogWindow(const Program &program, HWND owner);
// The visible window of the program with this caption whose owner is `owner`
// (a dialog or message box: class "#32770"), or null.
HWND FindOwnedDialog(const Program &program, const char *caption, HWND owner);
// Whether a menu of the program (a context menu, a menu of the menu bar or
// the system menu) is open.
bool ContextMenuOpen(const Program &program);
// What the system knows of the program's window thread: focus, capture,
// menu mode.
bool ProgramThreadInfo(const Program &program, GUITHREADINFO *info);

#endif
