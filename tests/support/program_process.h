// Driving a program from outside, as another process (Windows only): start
// it in a folder of its own, find its windows, ask them things with a time
// limit, and end it. Shared by the end-to-end driver and the start-up
// benchmark, which each report failures in their own way.
#ifndef QUILLMOOR_SUPPORT_PROGRAM_PROCESS_H
#define QUILLMOOR_SUPPORT_PROGRAM_PROCESS_H

#include <windows.h>

#include <string>

// Starts `program` with `folder` as its current directory, as a player's
// shortcut would. False, with the system's error code left for
// GetLastError(), when the system refuses.
bool StartProcessIn(const std::string &program, const std::string &folder,
                    PROCESS_INFORMATION *process);
// Ends the process with `exitCode` if it still runs, gives it up to `wait`
// milliseconds to go, and closes both of its handles.
void EndProcess(PROCESS_INFORMATION *process, UINT exitCode, DWORD wait);

// Which top-level window of a process to find.
struct WindowQuery {
    DWORD processId;
    const char *className;
    const char *caption; // any caption when null
    bool ownerMatters;
    HWND owner;
    // A modal dialog shows itself only once its message queue first runs
    // empty; a search for one that is about to come takes hidden ones too.
    bool hiddenToo;
};
// The first window, in the system's order, that the query describes; null
// when there is none.
HWND FindProcessWindow(const WindowQuery &query);

// SendMessage with a time limit: false when the window's thread does not
// answer from its message loop within `limit` milliseconds.
bool AskWithin(HWND window, UINT message, WPARAM wParam, LPARAM lParam, DWORD limit,
               LRESULT *result);

#endif
