// The program's dialogs, opened from its menu bar: the ignore-list editor
// and the about box, read and worked with real clicks and keys.
//
// Input reaches the program only after what was posted to it, so a Settle
// proves nothing about a key: every step below waits for its effect, and a
// step that must have none is followed by one that has. A click returns once
// the control has taken the mouse and let it go, so the next key or click
// cannot overtake it.
#ifndef QUILLMOOR_E2E_DIALOGS_H
#define QUILLMOOR_E2E_DIALOGS_H

#include "program.h"

#include <windows.h>

#include <string>
#include <vector>

// Menus of the menu bar and their items, separators not counted.
enum { FileMenu = 0, HelpMenu = 1 };
enum { IgnoreListItem = 0, ManualItem = 0, AboutItem = 1 };

// Chooses the menu bar item and waits for the modal window it opens.
HWND OpenDialog(Program *program, int menu, int item, const char *caption);
// The dialog is shown and the main window takes no input; or the dialog
// is gone and the main window takes input again.
void ExpectDialogOpen(Program *program, HWND dialog);
void ExpectDialogClosed(Program *program, HWND dialog);
void ClickIn(Program *program, HWND dialog, int control);
// Without a window manager no caption is drawn to click; this is the
// command that a click on the close box sends.
void UseDialogCloseBox(HWND dialog);

// The editor's entries as it shows them, and its edit's text; the Expect
// forms wait for them first.
std::vector<std::string> Entries(HWND editor);
void ExpectEntries(HWND editor, const std::vector<std::string> &entries);
void ExpectEditText(HWND editor, const std::string &text);
// Proves that the editor has handled all input so far: a character typed
// into the edit (clicked first), seen there, and taken back.
void InputFence(Program *program, HWND editor);
// Typed into the edit after a click on it, then added with "Add".
void AddTyped(Program *program, HWND editor, const std::string &entry);
// The entry at `index` (in view) clicked, then "Delete".
void DeleteEntry(Program *program, HWND editor, int index);
// "File" > "Ignore List..." where there is no list to load: the editor
// reports it in a message box that it owns before it is shown, and closes
// after OK.
void ExpectEditorCannotLoad(Program *program);

// Both icons of the dialog, where the system gives another process's icons.
void ExpectWindowIcons(HWND dialog);
// Alt+Space on the dialog, until its system menu is open; then Esc, until
// the window has left menu mode.
void OpenSystemMenu(Program *program);
void LeaveSystemMenu(Program *program, HWND dialog);

#endif
