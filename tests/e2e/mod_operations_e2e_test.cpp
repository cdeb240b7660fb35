// Install, uninstall and delete as a user does them, through the lists'
// context menus: the lists, counts and files after each, the failure
// messages, the fresh click each operation needs, and the rows that must
// never be acted on. The steps are those of case_script.h.
#include "case_script.h"

namespace {

#define FOUR_MODS                                                                              \
    "add main 11 i1.iwd | add main 22 i2.iwd | add mods 33 a1.iwd | add mods 44 a2.iwd | "     \
    "start"
// The picked a.iwd installed after a fresh click.
#define FRESH_INSTALL                                                                          \
    "click mods a.iwd | menu mods | Install | quiet | exists main a.iwd | absent mods a.iwd"

// The rows of the table are laid out by hand, one to a line where it fits.
// clang-format off
const bool Registered = RegisterScriptedSuites({
    // A click records the row; the right click on the list's empty part
    // opens its menu on the row that has the focus. One right click, one
    // menu: the list's own request for a menu that follows it opens none.
    {"ModOperationsTest", "InstallMovesTheClickedRowIntoTheInstalledList",
     "add main 10 base.iwd | add mods 2000 a.iwd | add mods 20 b.iwd | start"
     " | click mods a.iwd | menu mods | Install | quiet | one-menu"
     " | lists base.iwd 10B, a.iwd 1KB / b.iwd 20B"
     " | files main a.iwd 2000, base.iwd 10 | files mods b.iwd 20"},
    {"ModOperationsTest", "InstallingAnIgnoredNameLeavesItInNeitherList",
     "ignore hidden.iwd\n | add mods 5 hidden.iwd | add mods 6 keep.iwd | start"
     " | menu mods hidden.iwd | Install | quiet | lists / keep.iwd 6B"
     " | exists main hidden.iwd | absent mods hidden.iwd"},
    {"ModOperationsTest", "UninstallMovesTheRowBackToTheAvailableList",
     "add main 100 x.iwd | add main 200 y.iwd | add mods 300 z.iwd | start"
     " | menu main x.iwd | Uninstall | quiet | lists y.iwd 200B / z.iwd 300B, x.iwd 100B"
     " | files main y.iwd 200 | files mods x.iwd 100, z.iwd 300"},

    // Delete asks first; Yes deletes the file and removes its row, No
    // changes nothing. The other list is never touched.
    {"Each/DeleteTest", "AsksAndThenDeletesOnlyOnYes",
     FOUR_MODS " | mark | menu $1 $2 | Delete | ask $3 | quiet",
     {{"InstalledYes", {"main", "i1.iwd", "yes"},
       "absent main i1.iwd | gone main i1.iwd | same"
       " | lists i2.iwd 22B / a1.iwd 33B, a2.iwd 44B"},
      {"InstalledNo", {"main", "i1.iwd", "no"},
       "exists main i1.iwd | same | lists i1.iwd 11B, i2.iwd 22B / a1.iwd 33B, a2.iwd 44B"},
      {"AvailableYes", {"mods", "a1.iwd", "yes"},
       "absent mods a1.iwd | gone mods a1.iwd | same"
       " | lists i1.iwd 11B, i2.iwd 22B / a2.iwd 44B"},
      {"AvailableNo", {"mods", "a1.iwd", "no"},
       "exists mods a1.iwd | same | lists i1.iwd 11B, i2.iwd 22B / a1.iwd 33B, a2.iwd 44B"}}},

    // A failing operation says why, under the error caption, and changes
    // nothing. gone.iwd is removed behind the program's back: its row stays
    // until a rescan.
    {"Each/FailureTest", "ReportsTheSystemsReasonAndChangesNothing",
     "add main 100 same.iwd | add main 150 other.iwd | add mods 200 same.iwd"
     " | add mods 300 gone.iwd | start"
     " | lists same.iwd 100B, other.iwd 150B / same.iwd 200B, gone.iwd 300B"
     " | mark | remove mods gone.iwd | gone mods gone.iwd | menu $1 $2 | $3",
     {{"InstallOntoAnExistingName", {"mods", "same.iwd", "Install"},
       "error Install | same-lists | same"},
      {"UninstallOntoAnExistingName", {"main", "same.iwd", "Uninstall"},
       "error Uninstall | same-lists | same"},
      {"DeleteOfAVanishedFile", {"mods", "gone.iwd", "Delete"},
       "ask yes | error Delete | same-lists | same"}}},

    // After any Install, Uninstall or Delete, run or not, the row picked
    // before it can no longer be acted on without a fresh click. The row is
    // picked in one list and that list rescanned ("Scan" keeps the pick but
    // leaves no row focused, so a later right click there records nothing);
    // then an operation runs in the other list; then the first list's menu
    // is opened again. A fresh click makes the same command work.
    {"Each/FreshClickTest", "AnOperationUsesUpTheClick",
     "add main 1 x.iwd | add main 2 same.iwd | add mods 3 a.iwd | add mods 4 same.iwd | start"
     " | menu $1 $2 | Scan | unfocused $1",
     {{"InstallAfterADeleteAnsweredNo", {"mods", "a.iwd"},
       "menu main x.iwd | Delete | ask no | quiet | mark | menu mods | Install | quiet | same"
       " | " FRESH_INSTALL},
      {"DeleteAfterADeleteAnsweredNo", {"mods", "a.iwd"},
       "menu main x.iwd | Delete | ask no | quiet | mark | menu mods | Delete | quiet | same"
       " | " FRESH_INSTALL},
      {"InstallAfterADelete", {"mods", "a.iwd"},
       "menu main x.iwd | Delete | ask yes | quiet | mark | menu mods | Install | quiet | same"
       " | " FRESH_INSTALL},
      {"InstallAfterAFailedUninstall", {"mods", "a.iwd"},
       "menu main same.iwd | Uninstall | error Uninstall | mark | menu mods | Install | quiet"
       " | same | " FRESH_INSTALL},
      {"UninstallAfterAFailedInstall", {"main", "x.iwd"},
       "menu mods same.iwd | Install | error Install | mark | menu main | Uninstall | quiet"
       " | same | click main x.iwd | menu main | Uninstall | quiet | exists mods x.iwd"
       " | absent main x.iwd"}}},

    // Every command without the mouse: a list reached by Tab, a row chosen
    // with Home and the arrow keys, its menu opened by a key below that row
    // and off it, the command chosen with the arrow keys and Enter, and the
    // delete question answered with Enter (Yes is its default). The
    // available list, the first tab stop, has the focus to begin with; a
    // mod put into main behind the program's back shows after Scan.
    {"Each/KeyboardTest", "EveryCommandOfBothListsWithoutTheMouse",
     FOUR_MODS
     " | keymenu $1 mods a2.iwd | Install | tab | keymenu $1 main i1.iwd | Uninstall"
     " | keymenu $1 main i2.iwd | Delete | ask enter | add main 55 late.iwd"
     " | keymenu $1 main a2.iwd | Scan | quiet"
     " | lists a2.iwd 44B, late.iwd 55B / a1.iwd 33B, i1.iwd 11B | absent main i2.iwd",
     {{"MenuKey", {"MenuKey"}}, {"ShiftF10", {"ShiftF10"}}}},

    {"ModOperationsTest", "NothingHappensBeforeTheFirstClick",
     "add main 1 m.iwd | add mods 2 a.iwd | start | unfocused main | unfocused mods"
     " | menu mods | Install | quiet | menu mods | Delete | quiet"
     " | menu main | Uninstall | quiet | menu main | Delete | quiet"
     " | lists m.iwd 1B / a.iwd 2B | exists main m.iwd | exists mods a.iwd"},
    // "Uninstall" on the available list's menu and "Install" on the
    // installed list's menu are grayed, even right after a click on a row.
    {"ModOperationsTest", "GrayedItemsDoNothing",
     "add main 1 m.iwd | add mods 2 a.iwd | start | menu mods a.iwd | Uninstall | quiet"
     " | menu main m.iwd | Install | quiet | lists m.iwd 1B / a.iwd 2B"},

    // The rows the program must never act on. Whether it then does nothing
    // or says why is its own choice; every question is answered Yes here, so
    // that a wrong row would really be moved or deleted.
    {"Each/UnpickedRowTest", "ARowNeverClickedInTheOtherListIsLeftAlone",
     "add main 1 i1.iwd | add main 2 i2.iwd | add mods 3 a1.iwd | add mods 4 a2.iwd | start"
     " | mark | click $1 $2 | unfocused $3 | menu $3 | $4 | answer-all | same"
     " | lists i1.iwd 1B, i2.iwd 2B / a1.iwd 3B, a2.iwd 4B",
     {{"UninstallAfterAClickInTheAvailableList", {"mods", "a2.iwd", "main", "Uninstall"}},
      {"DeleteAfterAClickInTheAvailableList", {"mods", "a2.iwd", "main", "Delete"}},
      {"InstallAfterAClickInTheInstalledList", {"main", "i2.iwd", "mods", "Install"}},
      {"DeleteAfterAClickInTheInstalledList", {"main", "i2.iwd", "mods", "Delete"}}}},

    // The user picks the first row; its file then goes behind the program's
    // back and the list is rescanned, so the first row is another file now.
    {"Each/StaleRowTest", "ARowRecordedBeforeARescanIsLeftAlone",
     "add main 1 m.iwd | add mods 2 a1.iwd | add mods 2 a2.iwd | add mods 2 a3.iwd"
     " | add mods 2 a4.iwd | start | rows mods 4 | click-first mods | remove mods @"
     " | menu mods @ | Scan | rows mods 3 | mark | unfocused mods | menu mods | $1"
     " | answer-all | same | rows mods 3",
     {{"MoveIt", {"Install"}}, {"DeleteIt", {"Delete"}}}},
    // The user deletes the installed list's only row, then installs a.iwd,
    // which becomes that list's first row, and clicks b.iwd. The installed
    // list's recorded row was x.iwd's; a.iwd was never picked.
    {"Each/StaleRowTest", "ARowRecordedBeforeARemovalIsLeftAlone",
     "add main 1 x.iwd | add mods 2 a.iwd | add mods 3 b.iwd | start"
     " | menu main x.iwd | Delete | ask yes | menu mods a.iwd | Install"
     " | lists a.iwd 2B / b.iwd 3B | click mods b.iwd | mark | unfocused main | menu main"
     " | $1 | answer-all | same | lists a.iwd 2B / b.iwd 3B",
     {{"MoveIt", {"Uninstall"}}, {"DeleteIt", {"Delete"}}}},
});
// clang-format on

} // namespace
