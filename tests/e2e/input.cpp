// Real mouse and keyboard input to the program, sent through the system as
// a user's would be, each step waited for until the program has handled it.
#include "input.h"

#include "controls.h"
#include "program_windows.h"
#include "wait.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <stdlib.h>

#include <vector>

namespace {

// The last click, so that two clicks never merge into a double click.
DWORD lastClickTime;
POINT lastClickPoint;
bool lastClickRight;
bool clickedBefore;

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

void RememberClick(POINT point, bool right)
{
    clickedBefore = true;
    lastClickTime = GetTickCount();
    lastClickPoint = point;
    lastClickRight = right;
}

bool BringToFront(Program *program, HWND window)
{
    if (GetForegroundWindow() == window)
        return true;
    SetForegroundWindow(window);
    if (!WaitFor([&] { return GetForegroundWindow() == window; })) {
        ADD_FAILURE() << "the program's window does not come to the front";
        return false;
    }
    return Settle(program);
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
    if (!WaitFor([&] { return FocusIsIn(*program, root); })) {
        ADD_FAILURE() << "no control of the window in front has the keyboard focus";
        return false;
    }
    return true;
}

} // namespace

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
    RememberClick(point, right);
    return true;
}

bool ClickRow(Program *program, int list, const std::string &name)
{
    int row = -1, focused = -1;
    if (!ClickRowAt(program, list, name, false) || !FindRow(program, list, name, &row))
        return false;
    if (!WaitFor([&] { return FocusedRow(program, list, &focused) && focused == row; })) {
        ADD_FAILURE() << "clicking " << name << " did not focus its row";
        return false;
    }
    return true;
}

bool RightClickRow(Program *program, int list, const std::string &name)
{
    if (!ClickRowAt(program, list, name, true))
        return false;
    if (!WaitFor([&] { return ContextMenuOpen(*program); })) {
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
    if (!WaitFor([&] { return ContextMenuOpen(*program); })) {
        ADD_FAILURE() << "right-clicking the empty part of list " << list << " opened no menu";
        return false;
    }
    return true;
}

namespace {

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

} // namespace

bool OpenMenuByKey(Program *program, MenuKey key)
{
    if (!FrontWithFocus(program, program->window) || !ParkPointer())
        return false;
    bool pressed = key == TheMenuKey ? Tap(VK_APPS)
                                     : SendKeys({Key(VK_SHIFT, false), Key(VK_F10, false),
                                                 Key(VK_F10, true), Key(VK_SHIFT, true)});
    if (!pressed)
        return false;
    if (!WaitFor([&] { return ContextMenuOpen(*program); })) {
        ADD_FAILURE() << (key == TheMenuKey ? "the Menu key" : "Shift+F10")
                      << " opened no menu";
        return false;
    }
    return true;
}

bool ChooseMenuItem(Program *program, ListCommand command)
{
    if (!ContextMenuOpen(*program)) {
        ADD_FAILURE() << "no menu is open to choose " << ListCommandName(command) << " from";
        return false;
    }
    // A menu opened by the mouse, or under Wine by a key, has no item
    // selected; the first Down selects its first item, and the separator is
    // skipped.
    std::vector<INPUT> keys;
    for (int step = 0; step < (int)command; ++step) {
        keys.push_back(Key(VK_DOWN, false));
        keys.push_back(Key(VK_DOWN, true));
    }
    keys.push_back(Key(VK_RETURN, false));
    keys.push_back(Key(VK_RETURN, true));
    if (!SendKeys(keys))
        return false;
    if (!WaitFor([&] { return !ContextMenuOpen(*program); })) {
        ADD_FAILURE() << "the menu stayed open after choosing " << ListCommandName(command);
        return false;
    }
    return Settle(program);
}

bool DismissMenu(Program *program)
{
    if (!Tap(VK_ESCAPE))
        return false;
    if (!WaitFor([&] { return !ContextMenuOpen(*program); })) {
        ADD_FAILURE() << "the menu stayed open after Esc";
        return false;
    }
    return Settle(program);
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
    if (!WaitFor([&] { return ContextMenuOpen(*program); })) {
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
    if (!WaitFor([&] { return ContextMenuOpen(*program); })) {
        ADD_FAILURE() << "Alt+Space did not open the system menu";
        return false;
    }
    return Tap('C');
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
    if (!WaitFor([&] { return ContextMenuOpen(*program); })) {
        ADD_FAILURE() << "the keyboard did not open menu " << menu << " of the menu bar";
        return false;
    }
    for (int step = 0; step < item; ++step) {
        if (!Tap(VK_DOWN))
            return false;
    }
    if (!Tap(VK_RETURN))
        return false;
    if (!WaitFor([&] {
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
    if (!WaitFor([&] { return ProgramCapture(*program) == nullptr; })) {
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
    RememberClick(point, false);
    if (!WaitFor([&] { return ProgramCapture(*program) == control; })) {
        ADD_FAILURE() << "the mouse button did not go down on the control";
        SendButton(point, MOUSEEVENTF_LEFTUP);
        return false;
    }
    if (!SendButton(point, MOUSEEVENTF_LEFTUP))
        return false;
    if (!WaitFor([&] { return ProgramCapture(*program) != control; })) {
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
