// Driving QuillmoorMM.exe from outside, as a user would: a fresh game folder
// per case, the real program started in it as a separate process, its window
// read through window messages and worked with real mouse and keyboard input.
//
// Every wait is bounded: a step the program does not finish in time fails the
// case (through GoogleTest) and returns false, and the fixture then kills the
// program. Functions that return bool are meant for ASSERT_TRUE.
#ifndef QUILLMOOR_E2E_HARNESS_H
#define QUILLMOOR_E2E_HARNESS_H

#include <windows.h>

#include <gtest/gtest.h>

#include <iosfwd>
#include <map>
#include <string>
#include <vector>

// Every wait of a case is bounded by this: long enough for anything the
// program does in one step under a loaded machine.
const DWORD CaseWaitLimit = 5000;

// Whether `done` came true within CaseWaitLimit, asked every 10 ms.
template <typename Condition> bool WaitFor(Condition done)
{
    DWORD start = GetTickCount();
    while (!done()) {
        if (GetTickCount() - start > CaseWaitLimit)
            return false;
        Sleep(10);
    }
    return true;
}

// A message to one of the program's windows and its answer; a program that
// does not answer within the limit fails the case (and gives 0).
LRESULT AskWindow(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
// The text of a control of one of the program's dialogs.
std::string ControlText(HWND dialog, int control);

// QuillmoorMM.exe, given on the driver's command line; a Unix path is taken
// as one on Wine's drive Z:.
void SetProgramPath(const char *path);

// <temp>\quill-e2e-<process>-<n>\game, with main, QuillmoorMM\mods and
// QuillmoorMM\ignore.list. Every path is absolute.
struct GameLayout {
    std::string root;
    std::string mainFolder;
    std::string programFolder;
    std::string modsFolder;
    std::string ignoreFile;
};

bool MakeGameLayout(GameLayout *game, const std::string &ignoreText);
void RemoveGameLayout(const GameLayout &game);

// A file of exactly `size` bytes.
bool WriteSizedFile(const std::string &path, unsigned size);
bool PathExists(const std::string &path);
std::string ReadWholeFile(const std::string &path);
// "name size" for every entry of a folder, sorted: a snapshot to compare.
std::vector<std::string> FolderSnapshot(const std::string &folder);
// Files by paths longer than the narrow calls take (MAX_PATH and more).
HANDLE OpenLongPath(const std::string &path, DWORD access, DWORD sharing, DWORD disposition);
bool DeleteLongPath(const std::string &path);
// A file holding exactly `bytes`.
bool WriteBytesFile(const std::string &path, const std::string &bytes);

// Every file and folder under `root`, by its path relative to it, with
// "size checksum" of its contents for a file and "folder" for a folder: what
// a case compares before and after to prove that only the change it asked
// for happened. An empty manifest with a failure when `root` cannot be read.
typedef std::map<std::string, std::string> Manifest;
Manifest TakeManifest(const std::string &root);
// `before` with one entry moved to another path or removed (`to` empty):
// the manifest a single install, uninstall or delete should leave.
Manifest MovedInManifest(Manifest before, const std::string &from, const std::string &to);

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
std::vector<ShownRow> InSearchOrder(const std::string &folder, const std::vector<ListedMod> &mods);

struct Program {
    PROCESS_INFORMATION process;
    HWND window;
    HWND installedList;
    HWND availableList;
    char *remote; // scratch memory inside the program, for list view messages
    bool started;
};

bool StartProgram(Program *program, const GameLayout &game);
// Ends a program that is still running (a failed case) and releases it.
void StopProgram(Program *program);
bool WaitForExit(Program *program, DWORD *exitCode);
bool ProgramHasExited(Program *program);

// Reading the window. `list` and `label` are control ids of resource.h.
HWND ListWindow(const Program &program, int list);
bool ReadRows(Program *program, int list, std::vector<ShownRow> *rows);
// Only the names: a third of the work on a long list.
bool ReadNames(Program *program, int list, std::vector<std::string> *names);
bool ReadLabel(Program *program, int label, std::string *text);
bool ReadColumn(Program *program, int list, int column, std::string *header, int *width);
// The list's focused row, or -1.
bool FocusedRow(Program *program, int list, int *row);
bool FindRow(Program *program, int list, const std::string &name, int *row);

// Real mouse input on a list: a row by its name, or the empty part below the
// last row. A left click on a row waits until the list has focused it; a right
// click waits until a context menu is open.
bool ClickRow(Program *program, int list, const std::string &name);
bool RightClickRow(Program *program, int list, const std::string &name);
bool RightClickEmpty(Program *program, int list);

// The items of a list's context menu, in menu order (the separator skipped).
enum ListCommand { ScanCommand = 1, InstallCommand, UninstallCommand, DeleteCommand };
const char *ListCommandName(ListCommand command);

// The open context menu: choose an item with the arrow keys and Enter, or
// close it with Esc; then wait until the program has handled the choice.
bool ChooseMenuItem(Program *program, ListCommand command);
bool DismissMenu(Program *program);
bool ContextMenuOpen(const Program &program);

// Returns once the program has handled everything it was sent before.
bool Settle(Program *program);

// Keyboard input to the main window; Alt+key as a chord.
bool PressKey(Program *program, WORD key);
bool PressAltChord(Program *program, WORD key);
// "File" > "Exit" through the menu bar: Alt, then the arrow keys and Enter.
bool ChooseFileExit(Program *program);
// What the window's close box does (see the definition for why not a click).
bool UseCloseBox(Program *program);
// "Close" in the system menu, with Alt+Space, the arrow keys and Enter.
bool ChooseSystemMenuClose(Program *program);

struct ShownMessageBox {
    HWND window;
    std::string caption;
    std::string text;
    std::vector<int> buttons; // IDOK, IDYES, IDNO, ... that the box offers
};
// The message box that the main window owns now, if any (call after Settle).
bool FindMessageBox(Program *program, ShownMessageBox *box);
// Clicks one of its buttons and waits until the program has handled it.
bool AnswerMessageBox(Program *program, const ShownMessageBox &box, int button);
// The shape of an operation's error report: caption "Quillmoor MM - Error",
// the operation's own text whole, "\nReason: " and a reason that is not
// blank (its wording is the system's, which differs under Wine), and OK.
void ExpectErrorReport(const ShownMessageBox &box, const std::string &operation);
// Answers every message box that shows up: Yes where it asks, else OK.
// Their texts are appended to `shown`.
bool AnswerAllMessageBoxes(Program *program, std::vector<std::string> *shown);

// The program's other windows: the editor, the about box, and message boxes
// that they own.
//
// The visible window of the program with this caption whose owner is `owner`
// (a dialog or message box: class "#32770"), or null.
HWND FindOwnedDialog(const Program &program, const char *caption, HWND owner);
// The message box that `owner` owns now, if any (call after Settle).
bool FindMessageBoxOwnedBy(Program *program, HWND owner, ShownMessageBox *box);
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

// One case: a fresh game folder with an empty ignore list, and the program,
// which is killed if the case ends while it still runs.
struct E2eTest : ::testing::Test {
    GameLayout game;
    Program program = {};

    void SetUp() override;
    void TearDown() override;

    void AddInstalled(const std::string &name, unsigned size);
    void AddAvailable(const std::string &name, unsigned size);
    void WriteIgnoreList(const std::string &text);
    std::vector<ShownRow> Rows(int list);
    std::string Label(int label);
    // Both lists show exactly these rows (name and size text, in any order
    // here: they are put into the folder's search order) and their counts.
    void ExpectLists(const std::vector<ListedMod> &installed,
                     const std::vector<ListedMod> &available);
    void ExpectNoMessageBox();
    void ExpectNoFocusedRow(int list);
};

#endif
