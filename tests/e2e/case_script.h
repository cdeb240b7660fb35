// Cases of one shape written as rows of tables: lay out files, start the
// program, work its window, and check the lists, the files and the messages.
// A case is a script of steps separated by '|'; one runner carries them out
// through the same harness the other cases use. Each step is a verb and its
// words; a NAME is the rest of the step, so it may hold spaces (but for text
// and content, whose NAME is one word before the TEXT):
//
//   add F SIZE NAME     a file of SIZE bytes in F ("main" or "mods")
//   text F NAME TEXT    a file holding TEXT
//   remove F NAME       deleted behind the program's back
//   rmdir F, mkdir F    the folder removed, made
//   ignore TEXT         "ignore.list" holds TEXT
//   hold F NAME         opened by another program, for reading, sharing reads
//   hold-ignore shared|exclusive   "ignore.list" opened for reading and
//                       writing, sharing both or nothing
//   readonly-ignore     "ignore.list" made read-only (skips where the user
//                       may write it anyway); writable-ignore undoes it
//   release             every file held is let go
//   start               the program started in the game folder
//   click F NAME        a left click on the row of F's list
//   click-first F       the same on its first row, whose name is then '@'
//   menu F [NAME]       a right click on the row, or on the list's empty part
//   Scan, Install, Uninstall, Delete   the item of the open context menu
//   dismiss             the open menu closed with Esc
//   keymenu MenuKey|ShiftF10 F NAME    the row reached with Home and Down in
//                       the focused list, its menu opened by that key
//   tab, press enter|esc|alt-f4, file-exit, close-box, system-menu
//   ask yes|no|enter    the delete question, whole, answered so
//   error COMMAND       the report of COMMAND's failure, answered OK, and no
//                       box after it; a missing report fails the case but
//                       lets the steps after it run
//   answer-all          every message box answered (Yes or OK)
//   quiet               no message box is open
//   remove-ignore       "ignore.list" deleted
//   manual-folder       a "manual" folder beside the program, without its index
//   manual              "Help" > "Manual"
//   message TEXT        the main window's error box of TEXT, answered OK
//
// In the dialogs, "open editor" or "open about" (from the menu bar):
//
//   button entry|add|delete|save|cancel|ok   a click on that control
//   key back|enter|esc|home   a key to the dialog
//   type TEXT, paste TEXT   keys typed, or the edit's text set as a paste
//   add-typed TEXT      TEXT typed into the edit and added
//   delete-entry N      the entry at N clicked and deleted
//   refused             the editor's refusal of an entry, answered OK
//   dialog-close-box, alt-space, leave-system-menu
//   editor-cannot-load  "File" > "Ignore List..." reports that it has no list
//   fence               the editor has handled all input so far
//
// and the checks:
//
//   lists A 1B, B 2KB / C 3B    both lists' rows and counts (installed first;
//                       a side may be empty)
//   rows F N            F's list has N rows
//   files F A 1, B 2    the files in F, as "name size"
//   exists F NAME, absent F NAME, no-folder F
//   content F NAME TEXT, ignore-is TEXT   a file's contents (ignore-is also
//                       makes TEXT what the marked folder expects of it)
//   unfocused F         F's list has no focused row
//   one-menu            no second context menu is open
//   none-shown          answer-all met no message box
//   mark [N]            the case folder taken as it is (N files and folders
//                       in it), and both lists once the program runs
//   moved F NAME G, gone F NAME   the taken folder with that change
//   same                the case folder is as taken (and changed)
//   same-lists          both lists and counts are as taken
//   exits               the program ends with exit code 0
//   running             the program still runs, its window shown and enabled
//   no-ignore           there is no "ignore.list"
//   shown, closed       the dialog is open and modal; it is gone
//   icons               the dialog has its icons
//   entries A, B        the editor's entries, as shown (", A" begins with an
//                       empty one)
//   add-enabled yes|no, no-selection, edit-is TEXT
//
// `$1` to `$5` in a step stand for the row's words (a word may be a whole
// step; an empty word is no step, while an empty step written between two
// '|' fails), and '@', once click-first has run, for the name it took.
#ifndef QUILLMOOR_E2E_CASE_SCRIPT_H
#define QUILLMOOR_E2E_CASE_SCRIPT_H

#include "e2e_harness.h"

#include <memory>
#include <string>
#include <vector>

// Carries out steps on a case's game folder and program, each under a trace
// of its number and text. After a step that fails fatally or skips the case,
// it does nothing more, in that call or a later one. What the steps take
// (files held, the marked folder, the open dialog) lasts from one call to the
// next; held files are let go when it ends.
class CaseSteps {
  public:
    explicit CaseSteps(E2eTest *test, const std::vector<std::string> &words = {});
    ~CaseSteps();
    CaseSteps(const CaseSteps &) = delete;
    CaseSteps &operator=(const CaseSteps &) = delete;
    void operator()(const std::string &steps);

  private:
    struct Runner;
    std::unique_ptr<Runner> runner;
};

struct ScriptRow {
    const char *label;           // the parameter's name, as GoogleTest prints it
    const char *words[5];        // what $1 to $5 stand for
    const char *steps = nullptr; // after the suite's own
};

// One test, or a parameterised one with a case for each row, named as
// GoogleTest names them: "Prefix/Suite" and "Test/label" with the label as
// the parameter.
struct ScriptedSuite {
    const char *suite;
    const char *test;
    const char *steps;
    std::vector<ScriptRow> rows = {}; // none: a test of its own
};

// Registers every case of the tables with GoogleTest; for a static
// initialiser of the file that holds them.
bool RegisterScriptedSuites(const std::vector<ScriptedSuite> &suites);

#endif
