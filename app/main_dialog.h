// The main window: the installed list above the available list, each with
// its count, the menu bar and a context menu on each list.
//
// A click on a list records that list's focused row, and so do the Menu key
// and Shift+F10, which open that list's menu from the keyboard; Install,
// Uninstall and Delete then act on the recorded row of the list whose
// context menu was opened last, and each of them needs a new click
// afterwards. They act only
// on a row that was recorded from that list and still shows the file it
// showed then (same name, same full path); any other request is ignored
// without a word, and Delete then asks no question.
#ifndef QUILLMOOR_MAIN_DIALOG_H
#define QUILLMOOR_MAIN_DIALOG_H

#include "platform.h"

// Runs the main window from start to exit.
void RunMainDialog();

#endif
