#include "linux_side.h"

#include "wait.h"

#include <stdio.h>
#include <stdlib.h>

#ifdef _WIN32
#include "files.h"

#include <windows.h>

#include <string.h>
#endif

const char LinuxSideMissing[] = "no Linux side here: not under Wine";

#ifdef _WIN32
namespace {

typedef char *(CDECL *UnixNameOf)(LPCWSTR);
typedef WCHAR *(CDECL *DosNameOf)(const char *);

// Wine's own conversions between Windows and Linux paths.
const UnixNameOf unixNameOf =
    (UnixNameOf)(void *)GetProcAddress(GetModuleHandleA("kernel32"), "wine_get_unix_file_name");
const DosNameOf dosNameOf =
    (DosNameOf)(void *)GetProcAddress(GetModuleHandleA("kernel32"), "wine_get_dos_file_name");

// A Windows path as Linux names it; empty where there is none.
std::string UnixName(const std::wstring &path)
{
    char *unixName = unixNameOf ? unixNameOf(path.c_str()) : nullptr;
    if (!unixName)
        return "";
    std::string result = unixName;
    HeapFree(GetProcessHeap(), 0, unixName);
    return result;
}

// Quoted for the shell: nothing in it is taken for anything but text.
std::string Quoted(const std::string &text)
{
    std::string quoted = "'";
    for (char c : text)
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

std::wstring Wide(const std::string &narrow)
{
    WCHAR wide[MAX_PATH] = L"";
    MultiByteToWideChar(CP_ACP, 0, narrow.c_str(), -1, wide, MAX_PATH);
    return wide;
}

} // namespace

bool HasLinuxSide()
{
    return unixNameOf && dosNameOf;
}

// Wine starts a Linux program that CreateProcess is given, but gives back no
// handle to wait on: the script says it has ended by a file of its own.
bool OnLinuxSide(const std::string &commands)
{
    WCHAR current[MAX_PATH];
    GetCurrentDirectoryW(MAX_PATH, current);
    char temporary[MAX_PATH];
    GetTempPathA(sizeof temporary, temporary);
    static int scripts;
    const std::string base =
        JoinPath(temporary, "quill-linux-" + std::to_string(GetCurrentProcessId()) + "-" +
                                std::to_string(++scripts));
    const std::string script = base + ".sh", done = base + ".done";
    WCHAR *shell = dosNameOf ? dosNameOf("/bin/sh") : nullptr;
    const std::string unixCurrent = UnixName(current), unixDone = UnixName(Wide(done));
    if (!shell || unixCurrent.empty() || unixDone.empty() ||
        !WriteWholeFile(script, "{ cd " + Quoted(unixCurrent) + " && (\n" + commands +
                                    "\n); }\necho $? > " + Quoted(unixDone + ".part") +
                                    "\nmv " + Quoted(unixDone + ".part") + " " +
                                    Quoted(unixDone) + "\n")) {
        if (shell)
            HeapFree(GetProcessHeap(), 0, shell);
        return false;
    }
    std::wstring command =
        L"\"" + std::wstring(shell) + L"\" \"" + Wide(UnixName(Wide(script))) + L"\"";
    HeapFree(GetProcessHeap(), 0, shell);
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    bool ran = CreateProcessW(nullptr, &command[0], nullptr, nullptr, FALSE, CREATE_NO_WINDOW,
                              nullptr, nullptr, &startup, &process) != FALSE;
    for (HANDLE handle : {process.hProcess, process.hThread})
        if (handle)
            CloseHandle(handle);
    ran = ran && WaitFor([&] { return PathExists(done); }, 10000);
    const bool succeeded = ran && ReadWholeFile(done) == "0\n";
    DeleteFileA(script.c_str());
    DeleteFileA(done.c_str());
    return succeeded;
}
#else
bool HasLinuxSide()
{
    return true;
}

bool OnLinuxSide(const std::string &commands)
{
    return system(commands.c_str()) == 0;
}
#endif
