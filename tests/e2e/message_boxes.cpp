// The message boxes of the program: found by their owner, read, and
// answered with a real click on one of their buttons.
#include "message_boxes.h"

#include "controls.h"
#include "input.h"
#include "program_windows.h"
#include "wait.h"

#include <gtest/gtest.h>

#include <algorithm>

bool FindMessageBox(Program *program, ShownMessageBox *box)
{
    return FindMessageBoxOwnedBy(program, program->window, box);
}

bool FindMessageBoxOwnedBy(Program *program, HWND owner, ShownMessageBox *box)
{
    HWND window = FindOwnedDialogWindow(*program, owner);
    if (!window)
        return false;
    if (!WaitFor([&] { return IsWindowVisible(window) || !IsWindow(window); }))
        ADD_FAILURE() << "a message box was made but never shown";
    box->window = window;
    char caption[256] = "";
    GetWindowTextA(window, caption, sizeof caption);
    box->caption = caption;
    box->text.clear();
    // The message is the box's one static text that is not its icon.
    for (HWND child = GetWindow(window, GW_CHILD); child;
         child = GetWindow(child, GW_HWNDNEXT)) {
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
    if (IsWindow(window) && !WaitFor(clickable, 1000)) {
        SetWindowPos(window, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        if (!WaitFor(clickable))
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
    POINT point = {(rectangle.left + rectangle.right) / 2,
                   (rectangle.top + rectangle.bottom) / 2};
    if (!ClickAt(point, false))
        return false;
    if (!WaitFor([&] { return !IsWindow(box.window) || !IsWindowVisible(box.window); })) {
        ADD_FAILURE() << "the message box \"" << box.text << "\" stayed open";
        return false;
    }
    return Settle(program);
}

void ExpectErrorReport(const ShownMessageBox &box, const std::string &operation)
{
    EXPECT_EQ(box.caption, ErrorCaption);
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
                     : buttons.empty()                                                 ? IDOK
                                       : buttons[0];
        if (!AnswerMessageBox(program, box, answer))
            return false;
    }
    ADD_FAILURE() << "message boxes keep coming";
    return false;
}
