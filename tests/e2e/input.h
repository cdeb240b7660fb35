// Real mouse and keyboard input to the program's windows, as a user gives
// it. Each returns once the program has taken the input (or fails the case).
#ifndef QUILLMOOR_E2E_INPUT_H
#define QUILLMOOR_E2E_INPUT_H

#include "program.h"

#include <windows.h>

#include <string>

// One click of the left or right button at a point of the screen; two
// clicks at one place are kept apart by the double-click time.
bool ClickAt(POINT point, bool right);

// Real mouse input on a list: a row by its name, or the empty part below the
// last row. A left click on a row waits until the list has focused it; a right
// click waits until a context menu is open.
bool ClickRow(Program *program, int list, const std::string &name);
bool RightClickRow(Program *program, int list, const std::string &name);
bool RightClickEmpty(Program *program, int list);

// The items of a list's context menu, in menu order (the separator skipped).
enum ListCommand { ScanCommand = 1, InstallCommand, UninstallCommand, DeleteCommand };

// The keyboard's ways to the context menu of the list that has the focus:
// press one and wait until a menu is open.
enum MenuKey { TheMenuKey, ShiftF10 };
bool OpenMenuByKey(Program *program, MenuKey key);
// The open context menu: choose an item with the arrow keys and Enter, or
// close it with Esc; then wait until the program has handled the choice.
bool ChooseMenuItem(Program *program, ListCommand command);
bool DismissMenu(Program *program);

// Keyboard input to the main window; Alt+key as a chord.
bool PressKey(Program *program, WORD key);
bool PressAltChord(Program *program, WORD key);
// "File" > "Exit" through the menu bar: Alt, then the arrow keys and Enter.
bool ChooseFileExit(Program *program);
// What the window's close box does (see the definition for why not a click).
bool UseCloseBox(Program *program);
// "Close" in the system menu, with Alt+Space, the arrow keys and Enter.
bool ChooseSystemMenuClose(Program *program);

// "menu" > "item" of the main window's menu bar, with the keyboard: Alt, Right
// `menu` times, Down to open it on its first item, Down `item` times more
// (separators are skipped), Enter; the mouse is moved out of the menus' way
// first. Returns once the menu has closed.
bool ChooseMenuBarItem(Program *program, int menu, int item);
// A real left click on a control of any of the program's windows, in its
// middle or at a point of its client area: the button goes down, and up once
// the control has taken the mouse; returns once it has let it go again.
bool ClickControl(Program *program, HWND control);
bool ClickControlAt(Program *program, HWND control, POINT client);
// Real key strokes to `window`, brought to the front first, with the
// keyboard focus on one of its controls: one key, or the keys that type
// `text` (letters, digits and punctuation of the US layout). What they do is
// the caller's to wait for.
bool PressKeyIn(Program *program, HWND window, WORD key);
bool TypeText(Program *program, HWND window, const std::string &text);

#endif
