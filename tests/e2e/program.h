// QuillmoorMM.exe as a separate process: started in a game folder, asked
// through window messages with a time limit, fenced, and ended.
#ifndef QUILLMOOR_E2E_PROGRAM_H
#define QUILLMOOR_E2E_PROGRAM_H

#include "game_layout.h"

#include <windows.h>

struct Program {
    PROCESS_INFORMATION process;
    HWND window;
    HWND installedList;
    HWND availableList;
    char *remote; // scratch memory inside the program, for list view messages (4 KiB)
    bool started;
};

// QuillmoorMM.exe, given on the driver's command line; a Unix path is taken
// as one on Wine's drive Z:.
void SetProgramPath(const char *path);

bool StartProgram(Program *program, const GameLayout &game);
// Ends a program that is still running (a failed case) and releases it.
void StopProgram(Program *program);
bool WaitForExit(Program *program, DWORD *exitCode);
bool ProgramHasExited(Program *program);

// SendMessage with a time limit: a program that stops answering fails the
// case instead of hanging the suite. `result` may be null.
bool Ask(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT *result);
// A message to one of the program's windows and its answer; a program that
// does not answer within the limit fails the case (and gives 0).
LRESULT AskWindow(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0);

// Returns once the program has handled everything it was sent before.
bool Settle(Program *program);

#endif
