// The end-to-end harness: game folders on disk, the program's process, and
// its window seen and worked from outside.
//
// List view messages carry pointers, which the window system does not carry
// across processes for control messages: their structures and text buffers
// live in scratch memory allocated inside the program (VirtualAllocEx) and are
// written and read back with WriteProcessMemory / ReadProcessMemory.
#include "e2e_harness.h"

#include "resource.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <ostream>
#include <stdio.h>
#include <string.h>

namespace {

std::string programPath;
int layoutsMade;

// Long enough for anything the program does in one step under a loaded
// machine, short enough that a hung case ends quickly.
const DWORD WaitLimit = CaseWaitLimit;
// A fresh Wine process takes longer before its first window.
const DWORD StartLimit = 20000;

const SIZE_T RemoteSize = 4096;
const SIZE_T TextOffset = 1024; // structures below, text buffer above
const int TextSize = 1024;

// The last click, so that two clicks never merge into a double click.
DWORD lastClickTime;
POINT lastClickPoint;
bool lastClickRight;
bool clickedBefore;

// Values the posted fence writes into the list's hover time (see Settle).
LPARAM fenceValue = 4000;

template <typename Condition> bool WaitUntil(Condition done, DWORD limit = WaitLimit)
{
    DWORD start = GetTickCount();
    for (;;) {
        if (done())
            return true;
        if (GetTickCount() - start > limit)
            return false;
        Sleep(10);
    }
}

// SendMessage with a time limit: a program that stops answering fails the
// case instead of hanging the suite.
bool Ask(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT *result)
{
    DWORD_PTR answer = 0;
    if (!SendMessageTimeoutA(window, message, wParam, lParam, SMTO_NORMAL, WaitLimit, &answer)) {
        ADD_FAILURE() << "the program did not answer message 0x" << std::hex << message;
        return false;
    }
    if (result)
        *result = (LRESULT)answer;
    return true;
}

bool WriteRemote(Program *program, SIZE_T offset, const void *data, SIZE_T size)
{
    SIZE_T written = 0;
    if (!WriteProcessMemory(program->process.hProcess, program->remote + offset, data, size,
                            &written) ||
        written != size) {
        ADD_FAILURE() << "cannot write into the program's memory, error " << GetLastError();
        return false;
    }
    return true;
}

bool ReadRemote(Program *program, SIZE_T offset, void *data, SIZE_T size)
{
    SIZE_T read = 0;
    if (!ReadProcessMemory(program->process.hProcess, program->remote + offset, data, size,
                           &read) ||
        read != size) {
        ADD_FAILURE() << "cannot read the program's memory, error " << GetLastError();
        return false;
    }
    return true;
}

struct WindowSearch {
    DWORD processId;
    const char *className;
    const char *caption; // any caption when null
    bool ownerMatters;
    HWND owner;
    HWND found;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM parameter)
{
    WindowSearch *search = (WindowSearch *)parameter;
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    if (processId != search->processId || !IsWindowVisible(window))
        return TRUE;
    char className[64] = "";
    GetClassNameA(window, className, sizeof className);
    if (strcmp(className, search->className) != 0)
        return TRUE;
    if (search->ownerMatters && GetWindow(window, GW_OWNER) != search->owner)
        return TRUE;
    if (search->caption) {
        char caption[256] = "";
        GetWindowTextA(window, caption, sizeof caption);
        if (strcmp(caption, search->caption) != 0)
            return TRUE;
    }
    search->found = window;
    return FALSE;
}

HWND FindProgramWindow(const Program &program, const char *className, const char *caption,
                       bool ownerMatters, HWND owner)
{
    WindowSearch search = {program.process.dwProcessId, className, caption, ownerMatters, owner,
                           nullptr};
    EnumWindows(MatchWindow, (LPARAM)&search);
    return search.found;
}

// A modal dialog shows itself only once its message queue first runs empty,
// which may be just after the fence of Settle went through: dialogs that a
// window owns are looked for whether they are shown yet or not.
struct OwnedSearch {
    DWORD processId;
    HWND owner;
    HWND found;
};

BOOL CALLBACK MatchOwnedDialog(HWND window, LPARAM parameter)
{
    OwnedSearch *search = (OwnedSearch *)parameter;
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    char className[64] = "";
    GetClassNameA(window, className, sizeof className);
    if (processId != search->processId || strcmp(className, "#32770") != 0 ||
        GetWindow(window, GW_OWNER) != search->owner)
        return TRUE;
    search->found = window;
    return FALSE;
}

HWND FindOwnedDialogWindow(const Program &program, HWND owner)
{
    OwnedSearch search = {program.process.dwProcessId, owner, nullptr};
    EnumWindows(MatchOwnedDialog, (LPARAM)&search);
    return search.found;
}

std::string WindowText(HWND window)
{
    char text[TextSize] = "";
    DWORD_PTR ignored = 0;
    SendMessageTimeoutA(window, WM_GETTEXT, sizeof text, (LPARAM)text, SMTO_NORMAL, WaitLimit,
                        &ignored);
    text[sizeof text - 1] = '\0';
    return text;
}

bool BringToFront(Program *program, HWND window)
{
    if (GetForegroundWindow() == window)
        return true;
    SetForegroundWindow(window);
    if (!WaitUntil([&] { return GetForegroundWindow() == window; })) {
        ADD_FAILURE() << "the program's window does not come to the front";
        return false;
    }
    return Settle(program);
}

bool SendKeys(const std::vector<INPUT> &keys)
{
    std::vector<INPUT> input = keys;
    if (SendInput((UINT)input.size(), input.data(), sizeof(INPUT)) != input.size()) {
        ADD_FAILURE() << "SendInput refused the keys, error " << GetLastError();
        return false;
    }
    return true;
}

INPUT Key(WORD key, bool up)
{
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    return input;
}

// One key pressed and released, to whichever window has the keyboard focus.
bool Tap(WORD key)
{
    return SendKeys({Key(key, false), Key(key, true)});
}

// One mouse button going down or up at `point`. The event carries its own
// position: the system's idea of where the pointer is can still be moved
// back by a late crossing event of an earlier move, which would send the
// button to whatever lies there.
bool SendButton(POINT point, DWORD button)
{
    int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
    INPUT input = {};
    input.type = INPUT_MOUSE;
    // Rounded up, so that the system's mapping back to pixels lands on it.
    input.mi.dx = (LONG)(((LONGLONG)point.x * 65536 + width - 1) / width);
    input.mi.dy = (LONG)(((LONGLONG)point.y * 65536 + height - 1) / height);
    input.mi.dwFlags = button | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    if (SendInput(1, &input, sizeof(INPUT)) != 1) {
        ADD_FAILURE() << "SendInput refused the mouse button, error " << GetLastError();
        return false;
    }
    return true;
}

// Two clicks of one button at one place within the double-click time would
// reach the program as a double click.
void WaitOutDoubleClick(POINT point, bool right)
{
    if (clickedBefore && lastClickRight == right && abs(point.x - lastClickPoint.x) < 8 &&
        abs(point.y - lastClickPoint.y) < 8) {
        DWORD since = GetTickCount() - lastClickTime;
        DWORD needed = GetDoubleClickTime() + 100;
        if (since < needed)
            Sleep(needed - since);
    }
}

bool ClickAt(POINT point, bool right)
{
    WaitOutDoubleClick(point, right);
    if (!SetCursorPos(point.x, point.y)) {
        ADD_FAILURE() << "cannot move the mouse to " << point.x << "," << point.y;
        return false;
    }
    if (!SendButton(point, right ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_LEFTDOWN) ||
        !SendButton(point, right ? MOUSEEVENTF_RIGHTUP : MOUSEEVENTF_LEFTUP))
        return false;
    clickedBefore = true;
    lastClickTime = GetTickCount();
    lastClickPoint = point;
    lastClickRight = right;
    return true;
}

bool RowRectangle(Program *program, int list, int row, RECT *rectangle)
{
    RECT bounds = {LVIR_BOUNDS, 0, 0, 0};
    LRESULT found = 0;
    if (!WriteRemote(program, 0, &bounds, sizeof bounds) ||
        !Ask(ListWindow(*program, list), LVM_GETITEMRECT, row, (LPARAM)program->remote, &found) ||
        !ReadRemote(program, 0, &bounds, sizeof bounds))
        return false;
    if (!found) {
        ADD_FAILURE() << "list " << list << " has no rectangle for row " << row;
        return false;
    }
    *rectangle = bounds;
    return true;
}

bool ReadCell(Program *program, HWND list, int row, int column, std::string *text)
{
    char empty[TextSize] = "";
    LVITEMA item = {};
    item.iSubItem = column;
    item.pszText = program->remote + TextOffset;
    item.cchTextMax = TextSize;
    if (!WriteRemote(program, TextOffset, empty, sizeof empty) ||
        !WriteRemote(program, 0, &item, sizeof item) ||
        !Ask(list, LVM_GETITEMTEXTA, row, (LPARAM)program->remote, nullptr))
        return false;
    char buffer[TextSize];
    if (!ReadRemote(program, TextOffset, buffer, sizeof buffer))
        return false;
    buffer[TextSize - 1] = '\0';
    *text = buffer;
    return true;
}

bool ClickRowAt(Program *program, int list, const std::string &name, bool right)
{
    int row = -1;
    RECT rectangle;
    // A row out of view is scrolled into it first, as a user would.
    if (!BringToFront(program, program->window) || !FindRow(program, list, name, &row) ||
        !Ask(ListWindow(*program, list), LVM_ENSUREVISIBLE, row, FALSE, nullptr) ||
        !RowRectangle(program, list, row, &rectangle))
        return false;
    // Inside the name cell, which is hit with or without full-row selection.
    POINT point = {rectangle.left + 12, (rectangle.top + rectangle.bottom) / 2};
    ClientToScreen(ListWindow(*program, list), &point);
    return ClickAt(point, right);
}

} // namespace

LRESULT AskWindow(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT answer = 0;
    return Ask(window, message, wParam, lParam, &answer) ? answer : 0;
}

std::string ControlText(HWND dialog, int control)
{
    char text[1024] = "";
    AskWindow(GetDlgItem(dialog, control), WM_GETTEXT, sizeof text, (LPARAM)text);
    text[sizeof text - 1] = '\0';
    return text;
}

void SetProgramPath(const char *path)
{
    programPath = path;
    if (!programPath.empty() && programPath[0] == '/') {
        std::replace(programPath.begin(), programPath.end(), '/', '\\');
        programPath = "Z:" + programPath;
    }
}

bool MakeGameLayout(GameLayout *game, const std::string &ignoreText)
{
    char temp[MAX_PATH], longTemp[MAX_PATH];
    DWORD length = GetTempPathA(sizeof temp, temp);
    if (length == 0 || length >= sizeof temp) {
        ADD_FAILURE() << "no temporary folder";
        return false;
    }
    length = GetLongPathNameA(temp, longTemp, sizeof longTemp);
    std::string base = (length > 0 && length < sizeof longTemp) ? longTemp : temp;
    if (base.back() != '\\')
        base += '\\';
    game->root = base + "quill-e2e-" + std::to_string(GetCurrentProcessId()) + "-" +
                 std::to_string(++layoutsMade);
    std::string gameFolder = game->root + "\\game";
    game->mainFolder = gameFolder + "\\main";
    game->programFolder = gameFolder + "\\QuillmoorMM";
    game->modsFolder = game->programFolder + "\\mods";
    game->ignoreFile = game->programFolder + "\\ignore.list";
    // A run that was killed leaves its folders; a later driver may be given
    // the same process id.
    if (PathExists(game->root))
        RemoveGameLayout(*game);
    for (const std::string &folder :
         {game->root, gameFolder, game->mainFolder, game->programFolder, game->modsFolder}) {
        if (!CreateDirectoryA(folder.c_str(), nullptr)) {
            ADD_FAILURE() << "cannot make " << folder << ", error " << GetLastError();
            return false;
        }
    }
    HANDLE file = CreateFileA(game->ignoreFile.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD written = 0;
    bool ok = file != INVALID_HANDLE_VALUE &&
              WriteFile(file, ignoreText.data(), (DWORD)ignoreText.size(), &written, nullptr) &&
              written == ignoreText.size();
    if (file != INVALID_HANDLE_VALUE)
        CloseHandle(file);
    if (!ok)
        ADD_FAILURE() << "cannot write " << game->ignoreFile;
    return ok;
}

void RemoveGameLayout(const GameLayout &game)
{
    if (game.root.empty())
        return;
    // A program just killed may hold its files for a moment.
    WaitUntil([&] {
        std::error_code error;
        std::filesystem::remove_all(game.root, error);
        return !error;
    });
}

bool WriteSizedFile(const std::string &path, unsigned size)
{
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        ADD_FAILURE() << "cannot make " << path << ", error " << GetLastError();
        return false;
    }
    bool ok = SetFilePointer(file, (LONG)size, nullptr, FILE_BEGIN) != INVALID_SET_FILE_POINTER &&
              SetEndOfFile(file);
    CloseHandle(file);
    if (!ok)
        ADD_FAILURE() << "cannot give " << path << " " << size << " bytes";
    return ok;
}

bool PathExists(const std::string &path)
{
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string ReadWholeFile(const std::string &path)
{
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return "<missing>";
    std::string bytes;
    char buffer[4096];
    DWORD read = 0;
    while (ReadFile(file, buffer, sizeof buffer, &read, nullptr) && read > 0)
        bytes.append(buffer, read);
    CloseHandle(file);
    return bytes;
}

std::vector<std::string> FolderSnapshot(const std::string &folder)
{
    std::vector<std::string> entries;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return entries;
    do {
        if (strcmp(found.cFileName, ".") == 0 || strcmp(found.cFileName, "..") == 0)
            continue;
        entries.push_back(std::string(found.cFileName) + " " + std::to_string(found.nFileSizeLow));
    } while (FindNextFileA(search, &found));
    FindClose(search);
    std::sort(entries.begin(), entries.end());
    return entries;
}

bool WriteBytesFile(const std::string &path, const std::string &bytes)
{
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        ADD_FAILURE() << "cannot make " << path << ", error " << GetLastError();
        return false;
    }
    DWORD written = 0;
    bool ok = WriteFile(file, bytes.data(), (DWORD)bytes.size(), &written, nullptr) &&
              written == bytes.size();
    CloseHandle(file);
    if (!ok)
        ADD_FAILURE() << "cannot write " << path;
    return ok;
}

namespace {

// The narrow calls stop at MAX_PATH; names of the longest kind in a folder
// need the wide ones, with the path in its "\\?\" form.
std::wstring LongPathOf(const std::string &path)
{
    int length = MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, nullptr, 0);
    std::wstring wide(length > 0 ? length : 1, L'\0');
    MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, &wide[0], length);
    wide.resize(wcslen(wide.c_str()));
    return L"\\\\?\\" + wide;
}

} // namespace

HANDLE OpenLongPath(const std::string &path, DWORD access, DWORD sharing, DWORD disposition)
{
    return CreateFileW(LongPathOf(path).c_str(), access, sharing, nullptr, disposition,
                       FILE_ATTRIBUTE_NORMAL, nullptr);
}

bool DeleteLongPath(const std::string &path)
{
    return DeleteFileW(LongPathOf(path).c_str()) != FALSE;
}

namespace {

// FNV-1a over the whole file: enough to tell a changed file from the same.
bool FileChecksum(const std::string &path, unsigned long long *sum)
{
    HANDLE file = OpenLongPath(path, GENERIC_READ,
                               FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, OPEN_EXISTING);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    unsigned long long hash = 14695981039346656037ULL;
    char block[65536];
    DWORD got = 0;
    bool ok;
    while ((ok = ReadFile(file, block, sizeof block, &got, nullptr)) && got > 0) {
        for (DWORD i = 0; i < got; ++i)
            hash = (hash ^ (unsigned char)block[i]) * 1099511628211ULL;
    }
    CloseHandle(file);
    *sum = hash;
    return ok;
}

bool AddToManifest(const std::string &root, const std::string &relative, Manifest *manifest)
{
    std::string folder = relative.empty() ? root : root + "\\" + relative;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) {
        ADD_FAILURE() << "cannot list " << folder << ", error " << GetLastError();
        return false;
    }
    bool ok = true;
    do {
        if (strcmp(found.cFileName, ".") == 0 || strcmp(found.cFileName, "..") == 0)
            continue;
        std::string path = relative.empty() ? found.cFileName : relative + "\\" + found.cFileName;
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            (*manifest)[path] = "folder";
            ok = AddToManifest(root, path, manifest) && ok;
            continue;
        }
        unsigned long long sum = 0;
        if (!FileChecksum(root + "\\" + path, &sum)) {
            ADD_FAILURE() << "cannot read " << path << ", error " << GetLastError();
            ok = false;
        }
        char entry[64];
        snprintf(entry, sizeof entry, "%lu %016llx", (unsigned long)found.nFileSizeLow, sum);
        (*manifest)[path] = entry;
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return ok;
}

} // namespace

Manifest TakeManifest(const std::string &root)
{
    Manifest manifest;
    if (!AddToManifest(root, "", &manifest))
        manifest.clear();
    return manifest;
}

Manifest MovedInManifest(Manifest before, const std::string &from, const std::string &to)
{
    auto entry = before.find(from);
    if (entry == before.end()) {
        ADD_FAILURE() << from << " is not in the manifest";
        return before;
    }
    std::string content = entry->second;
    before.erase(entry);
    if (!to.empty())
        before[to] = content;
    return before;
}

bool operator==(const ShownRow &a, const ShownRow &b)
{
    return a.name == b.name && a.size == b.size && a.fullPath == b.fullPath;
}

std::ostream &operator<<(std::ostream &out, const ShownRow &row)
{
    return out << "{" << row.name << " | " << row.size << " | " << row.fullPath << "}";
}

std::vector<ShownRow> InSearchOrder(const std::string &folder, const std::vector<ListedMod> &mods)
{
    std::vector<std::string> order;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\*.iwd").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do
            order.push_back(found.cFileName);
        while (FindNextFileA(search, &found));
        FindClose(search);
    }
    std::vector<ShownRow> rows;
    for (const ListedMod &mod : mods)
        rows.push_back({mod.name, mod.size, folder + "\\" + mod.name});
    auto place = [&](const ShownRow &row) {
        return std::find(order.begin(), order.end(), row.name) - order.begin();
    };
    std::stable_sort(rows.begin(), rows.end(),
                     [&](const ShownRow &a, const ShownRow &b) { return place(a) < place(b); });
    return rows;
}

bool StartProgram(Program *program, const GameLayout &game)
{
    if (programPath.empty()) {
        ADD_FAILURE() << "no path to QuillmoorMM.exe on the command line";
        return false;
    }
    std::string commandLine = "\"" + programPath + "\"";
    std::vector<char> line(commandLine.begin(), commandLine.end());
    line.push_back('\0');
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    if (!CreateProcessA(programPath.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        game.programFolder.c_str(), &startup, &program->process)) {
        ADD_FAILURE() << "cannot start " << programPath << ", error " << GetLastError();
        return false;
    }
    program->started = true;
    bool exited = false;
    WaitUntil(
        [&] {
            program->window = FindProgramWindow(*program, "#32770", "Quillmoor MM", true, nullptr);
            exited = WaitForSingleObject(program->process.hProcess, 0) == WAIT_OBJECT_0;
            return program->window != nullptr || exited;
        },
        StartLimit);
    if (!program->window) {
        DWORD code = 0;
        GetExitCodeProcess(program->process.hProcess, &code);
        if (exited)
            ADD_FAILURE() << "the program ended with code " << code << " without showing its window";
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
    if (WaitForSingleObject(program->process.hProcess, 0) != WAIT_OBJECT_0) {
        TerminateProcess(program->process.hProcess, 99);
        WaitForSingleObject(program->process.hProcess, WaitLimit);
    }
    CloseHandle(program->process.hThread);
    CloseHandle(program->process.hProcess);
    program->started = false;
}

bool WaitForExit(Program *program, DWORD *exitCode)
{
    if (WaitForSingleObject(program->process.hProcess, WaitLimit) != WAIT_OBJECT_0) {
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

HWND ListWindow(const Program &program, int list)
{
    return list == IDC_INSTALLED_LIST ? program.installedList : program.availableList;
}

bool ReadRows(Program *program, int list, std::vector<ShownRow> *rows)
{
    HWND window = ListWindow(*program, list);
    LRESULT count = 0;
    if (!Ask(window, LVM_GETITEMCOUNT, 0, 0, &count))
        return false;
    rows->clear();
    for (int row = 0; row < (int)count; ++row) {
        ShownRow shown;
        if (!ReadCell(program, window, row, 0, &shown.name) ||
            !ReadCell(program, window, row, 1, &shown.size) ||
            !ReadCell(program, window, row, 2, &shown.fullPath))
            return false;
        rows->push_back(shown);
    }
    return true;
}

bool ReadNames(Program *program, int list, std::vector<std::string> *names)
{
    HWND window = ListWindow(*program, list);
    LRESULT count = 0;
    if (!Ask(window, LVM_GETITEMCOUNT, 0, 0, &count))
        return false;
    names->clear();
    for (int row = 0; row < (int)count; ++row) {
        std::string name;
        if (!ReadCell(program, window, row, 0, &name))
            return false;
        names->push_back(name);
    }
    return true;
}

bool ReadLabel(Program *program, int label, std::string *text)
{
    HWND window = GetDlgItem(program->window, label);
    if (!window) {
        ADD_FAILURE() << "the main window has no control " << label;
        return false;
    }
    char buffer[64] = "";
    if (!Ask(window, WM_GETTEXT, sizeof buffer, (LPARAM)buffer, nullptr))
        return false;
    buffer[sizeof buffer - 1] = '\0';
    *text = buffer;
    return true;
}

bool ReadColumn(Program *program, int list, int column, std::string *header, int *width)
{
    char empty[TextSize] = "";
    LVCOLUMNA info = {};
    info.mask = LVCF_TEXT | LVCF_WIDTH;
    info.pszText = program->remote + TextOffset;
    info.cchTextMax = TextSize;
    LRESULT found = 0;
    if (!WriteRemote(program, TextOffset, empty, sizeof empty) ||
        !WriteRemote(program, 0, &info, sizeof info) ||
        !Ask(ListWindow(*program, list), LVM_GETCOLUMNA, column, (LPARAM)program->remote, &found))
        return false;
    if (!found) {
        ADD_FAILURE() << "list " << list << " has no column " << column;
        return false;
    }
    char buffer[TextSize];
    if (!ReadRemote(program, 0, &info, sizeof info) ||
        !ReadRemote(program, TextOffset, buffer, sizeof buffer))
        return false;
    buffer[TextSize - 1] = '\0';
    *header = buffer;
    *width = info.cx;
    return true;
}

bool FocusedRow(Program *program, int list, int *row)
{
    LRESULT focused = -1;
    if (!Ask(ListWindow(*program, list), LVM_GETNEXTITEM, (WPARAM)-1, LVNI_FOCUSED, &focused))
        return false;
    *row = (int)focused;
    return true;
}

bool FindRow(Program *program, int list, const std::string &name, int *row)
{
    // The list's own search first: reading every row of a list of thousands
    // takes seconds. It ignores case, so its answer is checked, and a name
    // it cannot take is looked for row by row.
    HWND window = ListWindow(*program, list);
    if (name.size() < (size_t)TextSize) {
        LVFINDINFOA find = {};
        find.flags = LVFI_STRING;
        find.psz = program->remote + TextOffset;
        LRESULT found = -1;
        std::string text;
        if (!WriteRemote(program, TextOffset, name.c_str(), name.size() + 1) ||
            !WriteRemote(program, 0, &find, sizeof find) ||
            !Ask(window, LVM_FINDITEMA, (WPARAM)-1, (LPARAM)program->remote, &found))
            return false;
        if (found >= 0 && ReadCell(program, window, (int)found, 0, &text) && text == name) {
            *row = (int)found;
            return true;
        }
    }
    std::vector<ShownRow> rows;
    if (!ReadRows(program, list, &rows))
        return false;
    for (size_t index = 0; index < rows.size(); ++index) {
        if (rows[index].name == name) {
            *row = (int)index;
            return true;
        }
    }
    ADD_FAILURE() << "list " << list << " shows no row " << name;
    return false;
}

bool ClickRow(Program *program, int list, const std::string &name)
{
    int row = -1, focused = -1;
    if (!ClickRowAt(program, list, name, false) || !FindRow(program, list, name, &row))
        return false;
    if (!WaitUntil([&] { return FocusedRow(program, list, &focused) && focused == row; })) {
        ADD_FAILURE() << "clicking " << name << " did not focus its row";
        return false;
    }
    return true;
}

bool RightClickRow(Program *program, int list, const std::string &name)
{
    if (!ClickRowAt(program, list, name, true))
        return false;
    if (!WaitUntil([&] { return ContextMenuOpen(*program); })) {
        ADD_FAILURE() << "right-clicking " << name << " opened no menu";
        return false;
    }
    return true;
}

bool RightClickEmpty(Program *program, int list)
{
    HWND window = ListWindow(*program, list);
    RECT client;
    LRESULT count = 0;
    if (!BringToFront(program, program->window) || !GetClientRect(window, &client) ||
        !Ask(window, LVM_GETITEMCOUNT, 0, 0, &count))
        return false;
    POINT point = {client.left + 20, client.bottom - 6};
    if (count > 0) {
        RECT last;
        if (!RowRectangle(program, list, (int)count - 1, &last))
            return false;
        if (last.bottom >= point.y - 2) {
            ADD_FAILURE() << "list " << list << " has no empty part left to click";
            return false;
        }
    }
    ClientToScreen(window, &point);
    if (!ClickAt(point, true))
        return false;
    if (!WaitUntil([&] { return ContextMenuOpen(*program); })) {
        ADD_FAILURE() << "right-clicking the empty part of list " << list << " opened no menu";
        return false;
    }
    return true;
}

const char *ListCommandName(ListCommand command)
{
    switch (command) {
    case ScanCommand:
        return "Scan";
    case InstallCommand:
        return "Install";
    case UninstallCommand:
        return "Uninstall";
    case DeleteCommand:
        return "Delete";
    }
    return "?";
}

bool ContextMenuOpen(const Program &program)
{
    return FindProgramWindow(program, "#32768", nullptr, false, nullptr) != nullptr;
}

bool ChooseMenuItem(Program *program, ListCommand command)
{
    if (!ContextMenuOpen(*program)) {
        ADD_FAILURE() << "no menu is open to choose " << ListCommandName(command) << " from";
        return false;
    }
    // A menu opened by the mouse has no item selected; the first Down
    // selects its first item, and the separator is skipped.
    std::vector<INPUT> keys;
    for (int step = 0; step < (int)command; ++step) {
        keys.push_back(Key(VK_DOWN, false));
        keys.push_back(Key(VK_DOWN, true));
    }
    keys.push_back(Key(VK_RETURN, false));
    keys.push_back(Key(VK_RETURN, true));
    if (!SendKeys(keys))
        return false;
    if (!WaitUntil([&] { return !ContextMenuOpen(*program); })) {
        ADD_FAILURE() << "the menu stayed open after choosing " << ListCommandName(command);
        return false;
    }
    return Settle(program);
}

bool DismissMenu(Program *program)
{
    if (!Tap(VK_ESCAPE))
        return false;
    if (!WaitUntil([&] { return !ContextMenuOpen(*program); })) {
        ADD_FAILURE() << "the menu stayed open after Esc";
        return false;
    }
    return Settle(program);
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
    if (!WaitUntil([&] {
            return Ask(program->installedList, LVM_GETHOVERTIME, 0, 0, &current) &&
                   current == value;
        })) {
        ADD_FAILURE() << "the program did not get through its messages";
        return false;
    }
    return true;
}

bool PressKey(Program *program, WORD key)
{
    return BringToFront(program, program->window) && Tap(key);
}

bool PressAltChord(Program *program, WORD key)
{
    return BringToFront(program, program->window) &&
           SendKeys({Key(VK_MENU, false), Key(key, false), Key(key, true), Key(VK_MENU, true)});
}

bool ChooseFileExit(Program *program)
{
    // Alt alone selects "File" in the menu bar; Down opens it on its first
    // item, "Ignore List..."; the next Down skips the separator to "Exit".
    if (!BringToFront(program, program->window) || !Tap(VK_MENU) || !Tap(VK_DOWN))
        return false;
    if (!WaitUntil([&] { return ContextMenuOpen(*program); })) {
        ADD_FAILURE() << "Alt and Down did not open the \"File\" menu";
        return false;
    }
    return Tap(VK_DOWN) && Tap(VK_RETURN);
}

// Without a window manager the X server does not show the caption (the
// window asks for the manager's decorations), so a real click there reaches
// the desktop; this is the command that a click on the close box sends.
bool UseCloseBox(Program *program)
{
    if (!PostMessageA(program->window, WM_SYSCOMMAND, SC_CLOSE, 0)) {
        ADD_FAILURE() << "cannot post to the program's window, error " << GetLastError();
        return false;
    }
    return true;
}

bool ChooseSystemMenuClose(Program *program)
{
    // Alt+Space opens the system menu; C is the mnemonic of its "Close".
    if (!PressAltChord(program, VK_SPACE))
        return false;
    if (!WaitUntil([&] { return ContextMenuOpen(*program); })) {
        ADD_FAILURE() << "Alt+Space did not open the system menu";
        return false;
    }
    return Tap('C');
}

bool FindMessageBox(Program *program, ShownMessageBox *box)
{
    return FindMessageBoxOwnedBy(program, program->window, box);
}

bool FindMessageBoxOwnedBy(Program *program, HWND owner, ShownMessageBox *box)
{
    HWND window = FindOwnedDialogWindow(*program, owner);
    if (!window)
        return false;
    if (!WaitUntil([&] { return IsWindowVisible(window) || !IsWindow(window); }))
        ADD_FAILURE() << "a message box was made but never shown";
    box->window = window;
    char caption[256] = "";
    GetWindowTextA(window, caption, sizeof caption);
    box->caption = caption;
    box->text.clear();
    // The message is the box's one static text that is not its icon.
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        char className[64] = "";
        GetClassNameA(child, className, sizeof className);
        LONG style = GetWindowLongA(child, GWL_STYLE);
        if (_stricmp(className, "Static") == 0 && (style & SS_TYPEMASK) != SS_ICON) {
            box->text = WindowText(child);
            if (!box->text.empty())
                break;
        }
    }
    box->buttons.clear();
    for (int id : {IDOK, IDCANCEL, IDABORT, IDRETRY, IDIGNORE, IDYES, IDNO}) {
        HWND button = GetDlgItem(window, id);
        if (button && IsWindowVisible(button))
            box->buttons.push_back(id);
    }
    // Shown is not yet clickable: under Wine without a window manager the
    // owner can for a while, or until something restacks the windows, lie
    // above the box it owns, so that the system finds the owner under the
    // box's buttons and a click there is lost. A window manager would keep
    // an owned window above its owner; the box is put there as one would.
    auto clickable = [&] {
        for (int id : box->buttons) {
            HWND button = GetDlgItem(window, id);
            RECT rectangle;
            if (!GetWindowRect(button, &rectangle))
                return false;
            POINT middle = {(rectangle.left + rectangle.right) / 2,
                            (rectangle.top + rectangle.bottom) / 2};
            if (WindowFromPoint(middle) != button)
                return false;
        }
        return true;
    };
    if (IsWindow(window) && !WaitUntil(clickable, 1000)) {
        SetWindowPos(window, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        if (!WaitUntil(clickable))
            ADD_FAILURE() << "the buttons of the message box \"" << box->text
                          << "\" never came where a click would reach them";
    }
    return true;
}

bool AnswerMessageBox(Program *program, const ShownMessageBox &box, int button)
{
    HWND control = GetDlgItem(box.window, button);
    RECT rectangle;
    if (!control || !GetWindowRect(control, &rectangle)) {
        ADD_FAILURE() << "the message box \"" << box.text << "\" has no button " << button;
        return false;
    }
    POINT point = {(rectangle.left + rectangle.right) / 2, (rectangle.top + rectangle.bottom) / 2};
    if (!ClickAt(point, false))
        return false;
    if (!WaitUntil([&] { return !IsWindow(box.window) || !IsWindowVisible(box.window); })) {
        ADD_FAILURE() << "the message box \"" << box.text << "\" stayed open";
        return false;
    }
    return Settle(program);
}

void ExpectErrorReport(const ShownMessageBox &box, const std::string &operation)
{
    EXPECT_EQ(box.caption, "Quillmoor MM - Error");
    std::string start = operation + "\nReason: ";
    ASSERT_EQ(box.text.substr(0, start.size()), start) << box.text;
    EXPECT_NE(box.text.find_first_not_of(" \r\n\t", start.size()), std::string::npos)
        << "the reason is empty: " << box.text;
    EXPECT_EQ(box.buttons, (std::vector<int>{IDOK}));
}

bool AnswerAllMessageBoxes(Program *program, std::vector<std::string> *shown)
{
    for (int answered = 0; answered < 4; ++answered) {
        ShownMessageBox box;
        if (!Settle(program))
            return false;
        if (!FindMessageBox(program, &box))
            return true;
        shown->push_back(box.caption + ": " + box.text);
        const std::vector<int> &buttons = box.buttons;
        int answer = std::find(buttons.begin(), buttons.end(), IDYES) != buttons.end() ? IDYES
                     : buttons.empty()                                                ? IDOK
                                                                                      : buttons[0];
        if (!AnswerMessageBox(program, box, answer))
            return false;
    }
    ADD_FAILURE() << "message boxes keep coming";
    return false;
}

void E2eTest::SetUp()
{
    ASSERT_TRUE(MakeGameLayout(&game, ""));
}

void E2eTest::TearDown()
{
    StopProgram(&program);
    RemoveGameLayout(game);
}

void E2eTest::AddInstalled(const std::string &name, unsigned size)
{
    ASSERT_TRUE(WriteSizedFile(game.mainFolder + "\\" + name, size));
}

void E2eTest::AddAvailable(const std::string &name, unsigned size)
{
    ASSERT_TRUE(WriteSizedFile(game.modsFolder + "\\" + name, size));
}

void E2eTest::WriteIgnoreList(const std::string &text)
{
    HANDLE file = CreateFileA(game.ignoreFile.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    DWORD written = 0;
    BOOL ok = WriteFile(file, text.data(), (DWORD)text.size(), &written, nullptr);
    CloseHandle(file);
    ASSERT_TRUE(ok && written == text.size());
}

std::vector<ShownRow> E2eTest::Rows(int list)
{
    std::vector<ShownRow> rows;
    EXPECT_TRUE(ReadRows(&program, list, &rows));
    return rows;
}

std::string E2eTest::Label(int label)
{
    std::string text = "<unread>";
    EXPECT_TRUE(ReadLabel(&program, label, &text));
    return text;
}

void E2eTest::ExpectLists(const std::vector<ListedMod> &installed,
                          const std::vector<ListedMod> &available)
{
    EXPECT_EQ(Rows(IDC_INSTALLED_LIST), InSearchOrder(game.mainFolder, installed))
        << "installed list";
    EXPECT_EQ(Label(IDC_INSTALLED_COUNT), std::to_string(installed.size())) << "installed count";
    EXPECT_EQ(Rows(IDC_AVAILABLE_LIST), InSearchOrder(game.modsFolder, available))
        << "available list";
    EXPECT_EQ(Label(IDC_AVAILABLE_COUNT), std::to_string(available.size())) << "available count";
}

void E2eTest::ExpectNoMessageBox()
{
    ShownMessageBox box;
    ASSERT_TRUE(Settle(&program));
    if (FindMessageBox(&program, &box)) {
        ADD_FAILURE() << "unexpected message box \"" << box.caption << "\": " << box.text;
        AnswerMessageBox(&program, box, box.buttons.empty() ? IDOK : box.buttons[0]);
    }
}

void E2eTest::ExpectNoFocusedRow(int list)
{
    int focused = 0;
    ASSERT_TRUE(FocusedRow(&program, list, &focused));
    ASSERT_EQ(focused, -1) << "list " << list
                           << " has a focused row; a click on its empty part would record it";
}

namespace {

bool ProgramThreadInfo(const Program &program, GUITHREADINFO *info)
{
    *info = GUITHREADINFO();
    info->cbSize = sizeof *info;
    return GetGUIThreadInfo(program.process.dwThreadId, info) != FALSE;
}

// The window that holds the program's mouse capture: a control takes it
// while its mouse button is down, so a click has been handled once the
// control has taken it and let it go again.
HWND ProgramCapture(const Program &program)
{
    GUITHREADINFO info;
    return ProgramThreadInfo(program, &info) ? info.hwndCapture : nullptr;
}

// The pointer where no window of the program is. A menu that opens under
// the pointer gets a mouse move from the X server as it appears, which may
// arrive after the first arrow keys and then moves its selection.
bool ParkPointer()
{
    int right = GetSystemMetrics(SM_CXSCREEN) - 1, bottom = GetSystemMetrics(SM_CYSCREEN) - 1;
    if (!SetCursorPos(right, bottom)) {
        ADD_FAILURE() << "cannot move the mouse out of the way";
        return false;
    }
    return true;
}

// Keys go to the window that has the keyboard focus when they are sent.
bool FocusIsIn(const Program &program, HWND window)
{
    GUITHREADINFO info;
    return ProgramThreadInfo(program, &info) && info.hwndFocus &&
           (info.hwndFocus == window || IsChild(window, info.hwndFocus));
}

bool FrontWithFocus(Program *program, HWND window)
{
    HWND root = GetAncestor(window, GA_ROOT);
    if (!BringToFront(program, root))
        return false;
    if (!WaitUntil([&] { return FocusIsIn(*program, root); })) {
        ADD_FAILURE() << "no control of the window in front has the keyboard focus";
        return false;
    }
    return true;
}

} // namespace

HWND FindOwnedDialog(const Program &program, const char *caption, HWND owner)
{
    return FindProgramWindow(program, "#32770", caption, true, owner);
}

bool ChooseMenuBarItem(Program *program, int menu, int item)
{
    if (!ParkPointer() || !BringToFront(program, program->window))
        return false;
    GUITHREADINFO info;
    if (!ProgramThreadInfo(*program, &info) || (info.flags & GUI_INMENUMODE)) {
        ADD_FAILURE() << "a menu is already being worked";
        return false;
    }
    // The keys queue up in order: the menu bar takes the arrows once Alt has
    // put it in menu mode.
    if (!Tap(VK_MENU))
        return false;
    for (int step = 0; step < menu; ++step) {
        if (!Tap(VK_RIGHT))
            return false;
    }
    if (!Tap(VK_DOWN))
        return false;
    if (!WaitUntil([&] { return ContextMenuOpen(*program); })) {
        ADD_FAILURE() << "the keyboard did not open menu " << menu << " of the menu bar";
        return false;
    }
    for (int step = 0; step < item; ++step) {
        if (!Tap(VK_DOWN))
            return false;
    }
    if (!Tap(VK_RETURN))
        return false;
    if (!WaitUntil([&] {
            return !ContextMenuOpen(*program) && ProgramThreadInfo(*program, &info) &&
                   !(info.flags & GUI_INMENUMODE);
        })) {
        ADD_FAILURE() << "menu " << menu << " stayed open after choosing item " << item;
        return false;
    }
    return true;
}

bool ClickControl(Program *program, HWND control)
{
    RECT client;
    if (!GetClientRect(control, &client)) {
        ADD_FAILURE() << "no such control to click";
        return false;
    }
    return ClickControlAt(program, control, {client.right / 2, client.bottom / 2});
}

// Down and up are sent one at a time, each once the one before has been
// handled: a button sent while another control still holds the capture from
// an earlier click would go to that control.
bool ClickControlAt(Program *program, HWND control, POINT client)
{
    POINT point = client;
    if (!IsWindowVisible(control) || !IsWindowEnabled(control) ||
        !ClientToScreen(control, &point)) {
        ADD_FAILURE() << "the control to click is not there, not shown or disabled";
        return false;
    }
    if (!WaitUntil([&] { return ProgramCapture(*program) == nullptr; })) {
        ADD_FAILURE() << "the program keeps the mouse captured";
        return false;
    }
    WaitOutDoubleClick(point, false);
    if (!SetCursorPos(point.x, point.y)) {
        ADD_FAILURE() << "cannot move the mouse to " << point.x << "," << point.y;
        return false;
    }
    if (!SendButton(point, MOUSEEVENTF_LEFTDOWN))
        return false;
    clickedBefore = true;
    lastClickTime = GetTickCount();
    lastClickPoint = point;
    lastClickRight = false;
    if (!WaitUntil([&] { return ProgramCapture(*program) == control; })) {
        ADD_FAILURE() << "the mouse button did not go down on the control";
        SendButton(point, MOUSEEVENTF_LEFTUP);
        return false;
    }
    if (!SendButton(point, MOUSEEVENTF_LEFTUP))
        return false;
    if (!WaitUntil([&] { return ProgramCapture(*program) != control; })) {
        ADD_FAILURE() << "the control kept the mouse after its button went up";
        return false;
    }
    return Settle(program);
}

bool PressKeyIn(Program *program, HWND window, WORD key)
{
    return FrontWithFocus(program, window) && Tap(key) && Settle(program);
}

bool TypeText(Program *program, HWND window, const std::string &text)
{
    if (!FrontWithFocus(program, window))
        return false;
    for (char c : text) {
        SHORT scan = VkKeyScanA(c);
        if (scan == -1) {
            ADD_FAILURE() << "no key types '" << c << "'";
            return false;
        }
        WORD key = LOBYTE(scan);
        bool shift = (HIBYTE(scan) & 1) != 0;
        std::vector<INPUT> keys;
        if (shift)
            keys.push_back(Key(VK_SHIFT, false));
        keys.push_back(Key(key, false));
        keys.push_back(Key(key, true));
        if (shift)
            keys.push_back(Key(VK_SHIFT, true));
        if (!SendKeys(keys))
            return false;
    }
    return Settle(program);
}
