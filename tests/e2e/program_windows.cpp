// Finding the program's windows among the system's: its main window, its
// dialogs, message boxes and menus, by class, caption and owner.
#include "program_windows.h"

#include "program_process.h"

HWND FindProgramWindow(const Program &program, const char *className, const char *caption,
                       bool ownerMatters, HWND owner)
{
    return FindProcessWindow(
        {program.process.dwProcessId, className, caption, ownerMatters, owner, false});
}

// A modal dialog shows itself only once its message queue first runs empty,
// which may be just after the fence of Settle went through: dialogs that a
// window owns are looked for whether they are shown yet or not.
HWND FindOwnedDialogWindow(const Program &program, HWND owner)
{
    return FindProcessWindow(
        {program.process.dwProcessId, "#32770", nullptr, true, owner, true});
}

HWND FindOwnedDialog(const Program &program, const char *caption, HWND owner)
{
    return FindProgramWindow(program, "#32770", caption, true, owner);
}

bool ContextMenuOpen(const Program &program)
{
    return FindProgramWindow(program, "#32768", nullptr, false, nullptr) != nullptr;
}

bool ProgramThreadInfo(const Program &program, GUITHREADINFO *info)
{
    *info = GUITHREADINFO();
    info->cbSize = sizeof *info;
    return GetGUIThreadInfo(program.process.dwThreadId, info) != FALSE;
}
