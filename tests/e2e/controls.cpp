// Reading the program's controls from outside: texts, list rows, columns.
//
// List view messages carry pointers, which the window system does not carry
// across processes for control messages: their structures and text buffers
// live in scratch memory allocated inside the program (VirtualAllocEx) and are
// written and read back with WriteProcessMemory / ReadProcessMemory.
#include "controls.h"

#include "program_process.h"
#include "resource.h"
#include "wait.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>

namespace {

// Where list view messages keep their data in the program's scratch memory.
const SIZE_T TextOffset = 1024; // structures below, text buffer above
const int TextSize = 1024;

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

} // namespace

std::string ControlText(HWND dialog, int control)
{
    char text[1024] = "";
    AskWindow(GetDlgItem(dialog, control), WM_GETTEXT, sizeof text, (LPARAM)text);
    text[sizeof text - 1] = '\0';
    return text;
}

std::string WindowText(HWND window)
{
    char text[TextSize] = "";
    AskWithin(window, WM_GETTEXT, sizeof text, (LPARAM)text, CaseWaitLimit, nullptr);
    text[sizeof text - 1] = '\0';
    return text;
}

bool RowRectangle(Program *program, int list, int row, RECT *rectangle)
{
    RECT bounds = {LVIR_BOUNDS, 0, 0, 0};
    LRESULT found = 0;
    if (!WriteRemote(program, 0, &bounds, sizeof bounds) ||
        !Ask(ListWindow(*program, list), LVM_GETITEMRECT, row, (LPARAM)program->remote,
             &found) ||
        !ReadRemote(program, 0, &bounds, sizeof bounds))
        return false;
    if (!found) {
        ADD_FAILURE() << "list " << list << " has no rectangle for row " << row;
        return false;
    }
    *rectangle = bounds;
    return true;
}

bool operator==(const ShownRow &a, const ShownRow &b)
{
    return a.name == b.name && a.size == b.size && a.fullPath == b.fullPath;
}

std::ostream &operator<<(std::ostream &out, const ShownRow &row)
{
    return out << "{" << row.name << " | " << row.size << " | " << row.fullPath << "}";
}

std::vector<ShownRow> InSearchOrder(const std::string &folder,
                                    const std::vector<ListedMod> &mods)
{
    std::vector<std::string> order;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(JoinPath(folder, "*.iwd").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do
            order.push_back(found.cFileName);
        while (FindNextFileA(search, &found));
        FindClose(search);
    }
    std::vector<ShownRow> rows;
    for (const ListedMod &mod : mods)
        rows.push_back({mod.name, mod.size, JoinPath(folder, mod.name)});
    auto place = [&](const ShownRow &row) {
        return std::find(order.begin(), order.end(), row.name) - order.begin();
    };
    std::stable_sort(rows.begin(), rows.end(),
                     [&](const ShownRow &a, const ShownRow &b) { return place(a) < place(b); });
    return rows;
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
        !Ask(ListWindow(*program, list), LVM_GETCOLUMNA, column, (LPARAM)program->remote,
             &found))
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
