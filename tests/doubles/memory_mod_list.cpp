// The mod-list operations over a MemoryWindow: what the list view controls
// and labels do in the program, without a window system.
#include "memory_mod_list.h"

#include <stdio.h>

namespace {

ModList &ListOf(HWND window, ModFolder folder)
{
    return reinterpret_cast<MemoryWindow *>(window)->lists[folder];
}

bool IsRow(const ModList &list, int index)
{
    return index >= 0 && index < (int)list.rows.size();
}

} // namespace

HWND MemoryWindowHandle(MemoryWindow *window)
{
    return reinterpret_cast<HWND>(window);
}

// Nothing is drawn here: a refill is only counted, so that a test can see
// that each one begun also ends.
void ModListBeginRefill(HWND window, ModFolder folder)
{
    ListOf(window, folder).refills++;
    ListOf(window, folder).refilling = true;
}

void ModListEndRefill(HWND window, ModFolder folder)
{
    ListOf(window, folder).refilling = false;
}

void ModListDeleteAll(HWND window, ModFolder folder)
{
    ListOf(window, folder).rows.clear();
}

// Like a list view, an index past the end appends and a negative one fails.
void ModListInsertRow(HWND window, ModFolder folder, int index, const char *name)
{
    ModList &list = ListOf(window, folder);
    if (index < 0)
        return;
    if (index > (int)list.rows.size())
        index = (int)list.rows.size();
    ModRow row = {};
    row.name = name;
    list.rows.insert(list.rows.begin() + index, row);
}

void ModListSetCell(HWND window, ModFolder folder, int index, ModColumn column,
                    const char *text)
{
    ModList &list = ListOf(window, folder);
    if (!IsRow(list, index))
        return;
    ModRow &row = list.rows[index];
    std::string &cell = column == NameColumn   ? row.name
                        : column == SizeColumn ? row.sizeText
                                               : row.fullPath;
    cell = text;
}

int ModListRowCount(HWND window, ModFolder folder)
{
    return (int)ListOf(window, folder).rows.size();
}

void ModListGetCell(HWND window, ModFolder folder, int index, ModColumn column, char *text,
                    int size)
{
    if (size <= 0)
        return;
    const ModList &list = ListOf(window, folder);
    if (!IsRow(list, index)) {
        text[0] = '\0';
        return;
    }
    const ModRow &row = list.rows[index];
    const std::string &cell = column == NameColumn   ? row.name
                              : column == SizeColumn ? row.sizeText
                                                     : row.fullPath;
    snprintf(text, (size_t)size, "%s", cell.c_str());
}

void ModListDeleteRow(HWND window, ModFolder folder, int index)
{
    ModList &list = ListOf(window, folder);
    if (IsRow(list, index))
        list.rows.erase(list.rows.begin() + index);
}

void ModListShowCount(HWND window, ModFolder folder, unsigned count)
{
    ListOf(window, folder).countLabel = count;
}

void ModListSetNote(HWND window, ModFolder folder, int index, int note)
{
    ModList &list = ListOf(window, folder);
    if (IsRow(list, index))
        list.rows[index].note = note;
}

int ModListGetNote(HWND window, ModFolder folder, int index)
{
    const ModList &list = ListOf(window, folder);
    return IsRow(list, index) ? list.rows[index].note : 0;
}
