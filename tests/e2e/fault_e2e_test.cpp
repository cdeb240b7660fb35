// Faults from outside the program: an "ignore.list" that cannot be opened or
// that another program holds, a mod archive held open, and a mod folder that
// is missing at start or goes away during the run. Each case compares a
// snapshot of the whole game folder before and after, so that only what the
// player asked for (or nothing) has changed on disk. The steps are those of
// case_script.h.
#include "case_script.h"

namespace {

// The rows of the table are laid out by hand, one to a line where it fits.
// clang-format off
const bool Registered = RegisterScriptedSuites({
    // "ignore.list" that the program cannot open for reading and writing at
    // start: nothing is filtered for the whole run, the editor says so, and
    // the file is left exactly as it was. Once the file could be opened,
    // this run still holds no list.
    {"Fault/UnopenableIgnoreListTest", "NothingIsFilteredAndTheEditorSaysSo",
     "ignore hidden.iwd\n | add main 10 hidden.iwd | add main 20 shown.iwd | mark | $1 | start"
     " | lists hidden.iwd 10B, shown.iwd 20B / | quiet | editor-cannot-load | release"
     " | writable-ignore | menu main | Scan | quiet | lists hidden.iwd 10B, shown.iwd 20B /"
     " | file-exit | exits | same | ignore-is hidden.iwd\n",
     {{"ReadOnlyFile", {"readonly-ignore"}},
      {"HeldWithoutSharing", {"hold-ignore exclusive"}}}},

    // Another program that opens the list while this one runs, and lets
    // others read and write it, stops neither the filtering nor a save. The
    // next scan reads the saved list.
    {"FaultIgnoreListTest", "HeldWithSharingAfterStartKeepsWorking",
     "ignore hidden.iwd\n | add main 10 hidden.iwd | add main 20 shown.iwd | start"
     " | lists shown.iwd 20B / | hold-ignore shared | mark | menu main | Scan | quiet"
     " | lists shown.iwd 20B / | open editor | add-typed shown.iwd | button save | closed"
     " | quiet | release"
     " | ignore-is hidden.iwd\nshown.iwd\n | menu main | Scan | quiet | lists / | same"},

    // A mod archive that another program holds open without letting it be
    // deleted or renamed: every operation on it fails with the system's
    // reason, and the rows and the files stay as they were. Once it is let
    // go the same operation does just that one move or delete.
    {"Fault/LockedArchiveTest", "FailsWithTheReasonAndChangesNothing",
     "add main 100 other.iwd | add mods 200 other.iwd | add $1 300 locked.iwd | start"
     " | rows $1 2 | rows $3 1 | mark | hold $1 locked.iwd | menu $1 locked.iwd | $2 | $4"
     " | error $2 | same-lists | same | release | menu $1 locked.iwd | $2 | answer-all",
     {{"Install", {"mods", "Install", "main"}, "moved mods locked.iwd main | same"},
      {"Uninstall", {"main", "Uninstall", "mods"}, "moved main locked.iwd mods | same"},
      {"DeleteInstalled", {"main", "Delete", "mods", "ask yes"}, "gone main locked.iwd | same"},
      {"DeleteAvailable", {"mods", "Delete", "main", "ask yes"},
       "gone mods locked.iwd | same"}}},

    // `main` or `mods` missing at start or removed during the run: an empty
    // list and "0", no message; moving a mod into the missing folder fails
    // and leaves the mod where it was.
    {"Fault/MissingFolderTest", "MissingAtStartListsNothingUntilItIsMade",
     "add $2 20 other.iwd | rmdir $1 | start | lists $3 | quiet | mkdir $1"
     " | add $1 1500 found.iwd | mark | menu $1 | Scan | quiet | lists $4 | same",
     {{"Main", {"main", "mods", "/ other.iwd 20B", "found.iwd 1KB / other.iwd 20B"}},
      {"Mods", {"mods", "main", "other.iwd 20B /", "other.iwd 20B / found.iwd 1KB"}}}},
    {"Fault/MissingFolderTest", "RemovedWhileRunningScansEmptyAndMovesIntoItFail",
     "add main 10 inst.iwd | add mods 20 avail.iwd | start | lists inst.iwd 10B / avail.iwd 20B"
     " | remove $1 $2 | rmdir $1 | mark | menu $1 | Scan | quiet | lists $3 | menu $4 | $5"
     " | error $5 | lists $3 | same | no-folder $1",
     {{"Main", {"main", "inst.iwd", "/ avail.iwd 20B", "mods avail.iwd", "Install"}},
      {"Mods", {"mods", "avail.iwd", "inst.iwd 10B /", "main inst.iwd", "Uninstall"}}}},
});
// clang-format on

} // namespace
