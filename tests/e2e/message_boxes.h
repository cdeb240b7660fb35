// The program's message boxes: found by their owner (after Settle), read,
// and answered with a real click on one of their buttons.
#ifndef QUILLMOOR_E2E_MESSAGE_BOXES_H
#define QUILLMOOR_E2E_MESSAGE_BOXES_H

#include "program.h"

#include <windows.h>

#include <string>
#include <vector>

// The caption of every error message of the program.
const char ErrorCaption[] = "Quillmoor MM - Error";

struct ShownMessageBox {
    HWND window;
    std::string caption;
    std::string text;
    std::vector<int> buttons; // IDOK, IDYES, IDNO, ... that the box offers
};
// The message box that the main window owns now, if any (call after Settle).
bool FindMessageBox(Program *program, ShownMessageBox *box);
// The message box that `owner` owns now, if any (call after Settle).
bool FindMessageBoxOwnedBy(Program *program, HWND owner, ShownMessageBox *box);
// Clicks one of its buttons and waits until the program has handled it.
bool AnswerMessageBox(Program *program, const ShownMessageBox &box, int button);
// The shape of an operation's error report: caption "Quillmoor MM - Error",
// the operation's own text whole, "\nReason: " and a reason that is not
// blank (its wording is the system's, which differs under Wine), and OK.
void ExpectErrorReport(const ShownMessageBox &box, const std::string &operation);
// Answers every message box that shows up: Yes where it asks, else OK.
// Their texts are appended to `shown`.
bool AnswerAllMessageBoxes(Program *program, std::vector<std::string> *shown);

#endif
