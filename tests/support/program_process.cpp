#include "program_process.h"

#include <string.h>

#include <vector>

bool StartProcessIn(const std::string &program, const std::string &folder,
                    PROCESS_INFORMATION *process)
{
    std::string commandLine = "\"" + program + "\"";
    std::vector<char> line(commandLine.begin(), commandLine.end());
    line.push_back('\0');
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    return CreateProcessA(program.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                          folder.c_str(), &startup, process) != FALSE;
}

void EndProcess(PROCESS_INFORMATION *process, UINT exitCode, DWORD wait)
{
    if (WaitForSingleObject(process->hProcess, 0) != WAIT_OBJECT_0) {
        TerminateProcess(process->hProcess, exitCode);
        WaitForSingleObject(process->hProcess, wait);
    }
    CloseHandle(process->hThread);
    CloseHandle(process->hProcess);
}

namespace {

struct WindowSearch {
    const WindowQuery *query;
    HWND found;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM parameter)
{
    WindowSearch *search = (WindowSearch *)parameter;
    const WindowQuery &query = *search->query;
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    if (processId != query.processId || (!query.hiddenToo && !IsWindowVisible(window)))
        return TRUE;
    char className[64] = "";
    GetClassNameA(window, className, sizeof className);
    if (strcmp(className, query.className) != 0)
        return TRUE;
    if (query.ownerMatters && GetWindow(window, GW_OWNER) != query.owner)
        return TRUE;
    if (query.caption) {
        char caption[256] = "";
        GetWindowTextA(window, caption, sizeof caption);
        if (strcmp(caption, query.caption) != 0)
            return TRUE;
    }
    search->found = window;
    return FALSE;
}

} // namespace

HWND FindProcessWindow(const WindowQuery &query)
{
    WindowSearch search = {&query, nullptr};
    EnumWindows(MatchWindow, (LPARAM)&search);
    return search.found;
}

bool AskWithin(HWND window, UINT message, WPARAM wParam, LPARAM lParam, DWORD limit,
               LRESULT *result)
{
    DWORD_PTR answer = 0;
    if (!SendMessageTimeoutA(window, message, wParam, lParam, SMTO_NORMAL, limit, &answer))
        return false;
    if (result)
        *result = (LRESULT)answer;
    return true;
}
