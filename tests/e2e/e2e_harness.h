// Driving QuillmoorMM.exe from outside, as a user would: a fresh game folder
// per case, the real program started in it as a separate process, its window
// read through window messages and worked with real mouse and keyboard input.
// The one header a case file includes; each part has its own:
//   game_layout.h     the game folder and its files
//   snapshot.h        what lies on disk, before and after (tests/support)
//   program.h         the program's process, its messages and the fence
//   program_windows.h finding its dialogs, message boxes and menus
//   controls.h        reading its controls and lists
//   input.h           mouse and keyboard input, menus
//   message_boxes.h   reading and answering message boxes
//
// Every wait is bounded (WaitFor, of the test support library): a step the
// program does not finish in time fails the case (through GoogleTest) and
// returns false, and the fixture then kills the program. Functions that
// return bool are meant for ASSERT_TRUE.
#ifndef QUILLMOOR_E2E_HARNESS_H
#define QUILLMOOR_E2E_HARNESS_H

#include "controls.h"
#include "game_layout.h"
#include "input.h"
#include "message_boxes.h"
#include "program.h"
#include "program_windows.h"
#include "snapshot.h"
#include "wait.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

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
    // The case folder whole.
    Snapshot CaseSnapshot();
    // `before` with the file at `from` (a path under the case folder) moved
    // to `to`, or removed (`to` empty).
    Snapshot Moved(const Snapshot &before, const std::string &from, const std::string &to);
};

#endif
