// The program's process: started in a game folder, asked and fenced through
// window messages, and ended.
#include "program.h"

#include "files.h"
#include "program_process.h"
#include "program_windows.h"
#include "resource.h"
#include "wait.h"

#include <commctrl.h>
#include <gtest/gtest.h>

namespace {

std::string programPath;

// A fresh Wine process takes longer before its first window.
const DWORD StartLimit = 20000;

const SIZE_T RemoteSize = 4096;

// Values the posted fence writes into the list's hover time (see Settle).
LPARAM fenceValue = 4000;

} // namespace

bool Ask(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT *result)
{
    if (!AskWithin(window, message, wParam, lParam, CaseWaitLimit, result)) {
        ADD_FAILURE() << "the program did not answer message 0x" << std::hex << message;
        return false;
    }
    return true;
}

LRESULT AskWindow(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT answer = 0;
    return Ask(window, message, wParam, lParam, &answer) ? answer : 0;
}

void SetProgramPath(const char *path)
{
    programPath = SystemPath(path);
}

bool StartProgram(Program *program, const GameLayout &game)
{
    if (programPath.empty()) {
        ADD_FAILURE() << "no path to QuillmoorMM.exe on the command line";
        return false;
    }
    if (!StartProcessIn(programPath, game.programFolder, &program->process)) {
        ADD_FAILURE() << "cannot start " << programPath << ", error " << GetLastError();
        return false;
    }
    program->started = true;
    bool exited = false;
    WaitFor(
        [&] {
            program->window =
                FindProgramWindow(*program, "#32770", "Quillmoor MM", true, nullptr);
            exited = WaitForSingleObject(program->process.hProcess, 0) == WAIT_OBJECT_0;
            return program->window != nullptr || exited;
        },
        StartLimit);
    if (!program->window) {
        DWORD code = 0;
        GetExitCodeProcess(program->process.hProcess, &code);
        if (exited)
            ADD_FAILURE() << "the program ended with code " << code
                          << " without showing its window";
        else
            ADD_FAILURE() << "the window \"Quillmoor MM\" did not appear";
        return false;
    }
    program->installedList = GetDlgItem(program->window, IDC_INSTALLED_LIST);
    program->availableList = GetDlgItem(program->window, IDC_AVAILABLE_LIST);
    if (!program->installedList || !program->availableList) {
        ADD_FAILURE() << "the main window lacks its two lists";
        return false;
    }
    program->remote = (char *)VirtualAllocEx(program->process.hProcess, nullptr, RemoteSize,
                                             MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    if (!program->remote) {
        ADD_FAILURE() << "cannot allocate memory in the program, error " << GetLastError();
        return false;
    }
    return Settle(program);
}

void StopProgram(Program *program)
{
    if (!program->started)
        return;
    EndProcess(&program->process, 99, CaseWaitLimit);
    program->started = false;
}

bool WaitForExit(Program *program, DWORD *exitCode)
{
    if (WaitForSingleObject(program->process.hProcess, CaseWaitLimit) != WAIT_OBJECT_0) {
        ADD_FAILURE() << "the program did not end";
        return false;
    }
    GetExitCodeProcess(program->process.hProcess, exitCode);
    return true;
}

bool ProgramHasExited(Program *program)
{
    return WaitForSingleObject(program->process.hProcess, 0) == WAIT_OBJECT_0;
}

// A fence: a message posted now is handled after every message posted before
// it, so once the list reports the value it carries, the program has finished
// what it was doing (or is waiting in a message box that it opened for it).
// The hover time only matters to lists that select on hover, which these
// lists do not.
bool Settle(Program *program)
{
    LPARAM value = ++fenceValue;
    if (!PostMessageA(program->installedList, LVM_SETHOVERTIME, 0, value)) {
        ADD_FAILURE() << "cannot post to the program's window, error " << GetLastError();
        return false;
    }
    LRESULT current = 0;
    if (!WaitFor([&] {
            return Ask(program->installedList, LVM_GETHOVERTIME, 0, 0, &current) &&
                   current == value;
        })) {
        ADD_FAILURE() << "the program did not get through its messages";
        return false;
    }
    return true;
}
