// Reading the program's window: the text of a control, the rows, columns
// and focus of its two lists, and the count labels. `list` and `label` are
// control ids of resource.h.
#ifndef QUILLMOOR_E2E_CONTROLS_H
#define QUILLMOOR_E2E_CONTROLS_H

#include "program.h"

#include <windows.h>

#include <iosfwd>
#include <string>
#include <vector>

// The text of a control of one of the program's dialogs.
std::string ControlText(HWND dialog, int control);
// The text of any of the program's windows; empty where it does not answer.
std::string WindowText(HWND window);

// One row as the program's list shows it.
struct ShownRow {
    std::string name;
    std::string size;
    std::string fullPath;
};
bool operator==(const ShownRow &a, const ShownRow &b);
std::ostream &operator<<(std::ostream &out, const ShownRow &row);

// A mod a case expects to see listed: its name and size text.
struct ListedMod {
    std::string name;
    std::string size;
};

// The rows the program should show for these mods of `folder`, with their
// full paths, in the order in which the system's search of "*.iwd" returns
// the files there (the program lists them in that order).
std::vector<ShownRow> InSearchOrder(const std::string &folder,
                                    const std::vector<ListedMod> &mods);

HWND ListWindow(const Program &program, int list);
bool ReadRows(Program *program, int list, std::vector<ShownRow> *rows);
// Only the names: a third of the work on a long list.
bool ReadNames(Program *program, int list, std::vector<std::string> *names);
bool ReadLabel(Program *program, int label, std::string *text);
bool ReadColumn(Program *program, int list, int column, std::string *header, int *width);
// The list's focused row, or -1.
bool FocusedRow(Program *program, int list, int *row);
bool FindRow(Program *program, int list, const std::string &name, int *row);
// Where a row lies in the list's client area, for a click on it.
bool RowRectangle(Program *program, int list, int row, RECT *rectangle);

#endif
