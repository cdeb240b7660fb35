// The runner of scripted cases (case_script.h): one step at a time, each
// under a trace of its text, stopping at the first step that cannot go on.
#include "case_script.h"

#include "dialogs.h"
#include "e2e_harness.h"
#include "resource.h"
#include "text_lines.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

namespace {

const char DeleteQuestion[] =
    "If you delete this mod it will no longer be available.\nContinue?";
const char EntryRefused[] =
    "The entry cannot be added: it holds a line break or a Ctrl-Z character.";

// The dialogs' controls that a step clicks, and the keys it presses there.
const struct {
    const char *word;
    int control;
} Buttons[] = {{"entry", IDC_IGNORE_ENTRY},   {"add", IDC_IGNORE_ADD},
               {"delete", IDC_IGNORE_DELETE}, {"save", IDC_IGNORE_SAVE},
               {"cancel", IDC_IGNORE_CANCEL}, {"ok", IDC_ABOUT_OK}};
const struct {
    const char *word;
    WORD key;
} Keys[] = {{"back", VK_BACK}, {"enter", VK_RETURN}, {"esc", VK_ESCAPE}, {"home", VK_HOME}};

const char *const DialogVerbs[] = {"button",
                                   "key",
                                   "shown",
                                   "closed",
                                   "icons",
                                   "entries",
                                   "add-enabled",
                                   "type",
                                   "paste",
                                   "fence",
                                   "add-typed",
                                   "refused",
                                   "dialog-close-box",
                                   "no-selection",
                                   "edit-is",
                                   "delete-entry",
                                   "alt-space",
                                   "leave-system-menu"};

const struct {
    const char *word;
    ListCommand command;
    const char *failure; // the text of its error report
} Commands[] = {{"Scan", ScanCommand, ""},
                {"Install", InstallCommand, "Failed to install the mod."},
                {"Uninstall", UninstallCommand, "Failed to uninstall the mod."},
                {"Delete", DeleteCommand, "Failed to delete the mod."}};

std::string TrimSpaces(const std::string &text)
{
    size_t first = text.find_first_not_of(' '), last = text.find_last_not_of(' ');
    return first == std::string::npos ? "" : text.substr(first, last - first + 1);
}

// "name size, name size": each split at its last space.
std::vector<ListedMod> ParseMods(const std::string &text)
{
    std::vector<ListedMod> mods;
    if (text.empty())
        return mods;
    for (const std::string &item : SplitText(text, ", ")) {
        size_t space = item.rfind(' ');
        mods.push_back({item.substr(0, space), item.substr(space + 1)});
    }
    return mods;
}

std::string Printed(const std::vector<std::string> &shown)
{
    return shown.empty() ? "" : "message boxes shown: " + ::testing::PrintToString(shown);
}

} // namespace

struct CaseSteps::Runner {
    E2eTest &test;
    Program &program;
    GameLayout &game;
    std::vector<std::string> words;
    std::vector<HANDLE> held;
    std::string first;    // the name click-first took
    bool stopped = false; // a step skipped the case
    std::vector<std::string> shown;
    Snapshot expected;
    std::vector<ShownRow> markedRows[2];
    HWND dialog = nullptr; // the dialog "open" opened

    Runner(E2eTest *test, const std::vector<std::string> &words)
        : test(*test), program(test->program), game(test->game), words(words)
    {
        this->words.resize(5);
    }

    std::string Substituted(const std::string &step)
    {
        std::string out;
        for (size_t i = 0; i < step.size(); ++i) {
            if (step[i] == '$' && i + 1 < step.size() && step[i + 1] >= '1' &&
                step[i + 1] <= '5') {
                out += words[step[++i] - '1'];
            } else if (step[i] == '@' && !first.empty()) {
                out += first;
            } else {
                out += step[i];
            }
        }
        return out;
    }

    // The list or the folder that a word names.
    bool IsMain(const std::string &word)
    {
        EXPECT_TRUE(word == "main" || word == "mods") << "no folder " << word;
        return word == "main";
    }
    int List(const std::string &word)
    {
        return IsMain(word) ? IDC_INSTALLED_LIST : IDC_AVAILABLE_LIST;
    }
    const std::string &Folder(const std::string &word)
    {
        return IsMain(word) ? game.mainFolder : game.modsFolder;
    }
    // A path as the snapshot of the case folder names it.
    std::string Relative(const std::string &word, const std::string &name)
    {
        return JoinPath(Folder(word).substr(game.caseFolder.size() + 1), name);
    }

    void Run(const std::string &step)
    {
        if (step.empty()) // a row's word that stands for no step
            return;
        size_t space = step.find(' ');
        std::string verb = step.substr(0, space);
        std::string rest = space == std::string::npos ? "" : step.substr(space + 1);
        // The first word of the rest, and what follows it.
        size_t cut = rest.find(' ');
        std::string word = rest.substr(0, cut);
        std::string tail = cut == std::string::npos ? "" : rest.substr(cut + 1);
        for (const auto &item : Commands) {
            if (verb == item.word) {
                ASSERT_TRUE(ChooseMenuItem(&program, item.command));
                return;
            }
        }
        if (verb == "add") {
            size_t next = tail.find(' ');
            ASSERT_NE(next, std::string::npos);
            ASSERT_TRUE(MakeSizedFile(JoinPath(Folder(word), tail.substr(next + 1)),
                                      (unsigned)std::stoul(tail.substr(0, next))));
        } else if (verb == "text" || verb == "content") {
            size_t next = tail.find(' ');
            std::string path = JoinPath(Folder(word), tail.substr(0, next));
            std::string text = next == std::string::npos ? "" : tail.substr(next + 1);
            if (verb == "text")
                ASSERT_TRUE(WriteWholeFile(path, text));
            else
                EXPECT_EQ(ReadWholeFile(path), text);
        } else if (verb == "remove") {
            ASSERT_TRUE(DeleteFileA(JoinPath(Folder(word), tail).c_str()));
        } else if (verb == "remove-ignore") {
            ASSERT_TRUE(DeleteFileA(game.ignoreFile.c_str()));
        } else if (verb == "manual-folder") {
            ASSERT_TRUE(EnsureFolder(JoinPath(game.programFolder, "manual")));
        } else if (verb == "rmdir") {
            ASSERT_TRUE(RemoveDirectoryA(Folder(word).c_str()));
        } else if (verb == "mkdir") {
            ASSERT_TRUE(CreateDirectoryA(Folder(word).c_str(), nullptr));
        } else if (verb == "ignore") {
            test.WriteIgnoreList(rest);
        } else if (verb == "hold") {
            Hold(JoinPath(Folder(word), tail), GENERIC_READ, FILE_SHARE_READ);
        } else if (verb == "hold-ignore") {
            ASSERT_TRUE(word == "shared" || word == "exclusive") << "no way to hold " << word;
            Hold(game.ignoreFile, GENERIC_READ | GENERIC_WRITE,
                 word == "shared" ? FILE_SHARE_READ | FILE_SHARE_WRITE : 0);
        } else if (verb == "release") {
            Release();
        } else if (verb == "readonly-ignore") {
            MakeIgnoreListReadOnly();
        } else if (verb == "writable-ignore") {
            ASSERT_TRUE(SetFileAttributesA(game.ignoreFile.c_str(), FILE_ATTRIBUTE_NORMAL));
        } else if (verb == "start") {
            ASSERT_TRUE(StartProgram(&program, game));
        } else if (verb == "click") {
            ASSERT_TRUE(ClickRow(&program, List(word), tail));
        } else if (verb == "click-first") {
            std::vector<ShownRow> rows = test.Rows(List(word));
            ASSERT_FALSE(rows.empty());
            first = rows[0].name;
            ASSERT_TRUE(ClickRow(&program, List(word), first));
        } else if (verb == "menu") {
            if (tail.empty())
                ASSERT_TRUE(RightClickEmpty(&program, List(word)));
            else
                ASSERT_TRUE(RightClickRow(&program, List(word), tail));
        } else if (verb == "dismiss") {
            ASSERT_TRUE(DismissMenu(&program));
        } else if (verb == "keymenu") {
            size_t next = tail.find(' ');
            ASSERT_TRUE(word == "MenuKey" || word == "ShiftF10") << "no menu key " << word;
            ASSERT_NE(next, std::string::npos) << "keymenu needs a list and a row";
            OpenMenuOnRow(word == "ShiftF10" ? ShiftF10 : TheMenuKey,
                          List(tail.substr(0, next)), tail.substr(next + 1));
        } else if (verb == "tab") {
            ASSERT_TRUE(PressKeyIn(&program, program.window, VK_TAB));
        } else if (verb == "press") {
            Press(word);
        } else if (verb == "file-exit") {
            ASSERT_TRUE(ChooseFileExit(&program));
        } else if (verb == "close-box") {
            ASSERT_TRUE(UseCloseBox(&program));
        } else if (verb == "system-menu") {
            ASSERT_TRUE(ChooseSystemMenuClose(&program));
        } else if (verb == "ask") {
            AnswerDeleteQuestion(word);
        } else if (verb == "error") {
            ExpectReport(word);
        } else if (verb == "answer-all") {
            ASSERT_TRUE(AnswerAllMessageBoxes(&program, &shown));
        } else if (verb == "quiet") {
            test.ExpectNoMessageBox();
        } else if (verb == "editor-cannot-load") {
            ExpectEditorCannotLoad(&program);
            test.ExpectNoMessageBox();
        } else {
            bool known = false;
            DialogStep(verb, rest, word, &known);
            if (!known)
                Check(verb, rest, word, tail);
        }
    }

    // The steps in the dialogs; false in `*known` where `verb` is none of
    // them.
    void DialogStep(const std::string &verb, const std::string &rest, const std::string &word,
                    bool *known)
    {
        *known = true;
        // Every step but "open" works on the dialog it opened, which must
        // still be there, but for "closed", which waits for it to go.
        for (const char *onDialog : DialogVerbs) {
            if (verb == onDialog) {
                ASSERT_TRUE(dialog) << "no dialog was opened";
                ASSERT_TRUE(verb == "closed" || IsWindow(dialog)) << "the dialog is gone";
            }
        }
        for (const auto &button : Buttons) {
            if (verb == "button" && word == button.word) {
                ClickIn(&program, dialog, button.control);
                return;
            }
        }
        for (const auto &key : Keys) {
            if (verb == "key" && word == key.word) {
                ASSERT_TRUE(PressKeyIn(&program, dialog, key.key));
                return;
            }
        }
        if (verb == "open") {
            ASSERT_TRUE(word == "about" || word == "editor") << "no dialog " << word;
            dialog = word == "about"
                         ? OpenDialog(&program, HelpMenu, AboutItem, "About...")
                         : OpenDialog(&program, FileMenu, IgnoreListItem, "Ignore List");
            ASSERT_TRUE(dialog);
        } else if (verb == "shown") {
            ExpectDialogOpen(&program, dialog);
        } else if (verb == "closed") {
            ExpectDialogClosed(&program, dialog);
        } else if (verb == "icons") {
            ExpectWindowIcons(dialog);
        } else if (verb == "entries") {
            ExpectEntries(dialog,
                          rest.empty() ? std::vector<std::string>() : SplitText(rest, ", "));
        } else if (verb == "add-enabled") {
            ASSERT_TRUE(word == "yes" || word == "no") << "add-enabled yes or no, not " << word;
            EXPECT_EQ(IsWindowEnabled(GetDlgItem(dialog, IDC_IGNORE_ADD)) != FALSE,
                      word == "yes");
        } else if (verb == "no-selection") {
            ASSERT_EQ(AskWindow(GetDlgItem(dialog, IDC_IGNORE_ENTRIES), LB_GETCURSEL), LB_ERR);
        } else if (verb == "type") {
            ASSERT_TRUE(TypeText(&program, dialog, rest));
        } else if (verb == "paste") {
            ASSERT_TRUE(SendMessageTimeoutA(GetDlgItem(dialog, IDC_IGNORE_ENTRY), WM_SETTEXT, 0,
                                            (LPARAM)rest.c_str(), SMTO_NORMAL, CaseWaitLimit,
                                            nullptr));
        } else if (verb == "edit-is") {
            ExpectEditText(dialog, rest);
        } else if (verb == "fence") {
            InputFence(&program, dialog);
        } else if (verb == "add-typed") {
            AddTyped(&program, dialog, rest);
        } else if (verb == "delete-entry") {
            DeleteEntry(&program, dialog, std::stoi(word));
        } else if (verb == "refused") {
            ShownMessageBox box;
            ASSERT_TRUE(WaitFor([&] { return FindMessageBoxOwnedBy(&program, dialog, &box); }))
                << "no message";
            EXPECT_EQ(box.caption, ErrorCaption);
            EXPECT_EQ(box.text, EntryRefused);
            ASSERT_TRUE(AnswerMessageBox(&program, box, IDOK));
        } else if (verb == "dialog-close-box") {
            UseDialogCloseBox(dialog);
        } else if (verb == "alt-space") {
            OpenSystemMenu(&program);
        } else if (verb == "leave-system-menu") {
            LeaveSystemMenu(&program, dialog);
        } else if (verb == "manual") {
            ASSERT_TRUE(ChooseMenuBarItem(&program, HelpMenu, ManualItem));
        } else if (verb == "message") {
            ShownMessageBox box;
            ASSERT_TRUE(WaitFor([&] { return FindMessageBox(&program, &box); }))
                << "no message box";
            EXPECT_EQ(box.caption, ErrorCaption);
            EXPECT_EQ(box.text, rest);
            EXPECT_EQ(box.buttons, (std::vector<int>{IDOK}));
            ASSERT_TRUE(AnswerMessageBox(&program, box, IDOK));
        } else {
            *known = false;
        }
    }

    void Check(const std::string &verb, const std::string &rest, const std::string &word,
               const std::string &tail)
    {
        if (verb == "lists") {
            // One space either side of the '/' belongs to it: a name may
            // begin or end with one.
            std::vector<std::string> sides = SplitText(rest, "/");
            ASSERT_EQ(sides.size(), 2u) << "lists needs one '/' between the lists";
            if (!sides[0].empty() && sides[0].back() == ' ')
                sides[0].pop_back();
            if (!sides[1].empty() && sides[1][0] == ' ')
                sides[1].erase(0, 1);
            test.ExpectLists(ParseMods(sides[0]), ParseMods(sides[1]));
        } else if (verb == "rows") {
            EXPECT_EQ(test.Rows(List(word)).size(), std::stoul(tail));
        } else if (verb == "files") {
            std::vector<std::string> files;
            if (!tail.empty())
                files = SplitText(tail, ", ");
            std::sort(files.begin(), files.end());
            EXPECT_EQ(NamesAndSizes(Folder(word)), files) << Printed(shown);
        } else if (verb == "exists" || verb == "absent") {
            EXPECT_EQ(PathExists(JoinPath(Folder(word), tail)), verb == "exists");
        } else if (verb == "no-folder") {
            EXPECT_FALSE(PathExists(Folder(word)));
        } else if (verb == "no-ignore") {
            EXPECT_FALSE(PathExists(game.ignoreFile));
        } else if (verb == "ignore-is") {
            EXPECT_EQ(ReadWholeFile(game.ignoreFile), rest);
            // What the file now holds is what the taken folder expects.
            std::string key = SnapshotKey(game.ignoreFile.substr(game.caseFolder.size() + 1));
            if (expected.count(key))
                expected[key] = SnapshotOfBytes(rest);
        } else if (verb == "unfocused") {
            test.ExpectNoFocusedRow(List(word));
        } else if (verb == "one-menu") {
            EXPECT_FALSE(ContextMenuOpen(program)) << "a second menu opened";
        } else if (verb == "none-shown") {
            EXPECT_TRUE(shown.empty()) << Printed(shown);
        } else if (verb == "mark") {
            expected = test.CaseSnapshot();
            ASSERT_FALSE(expected.empty());
            if (!word.empty()) {
                ASSERT_EQ(expected.size(), std::stoul(word)) << "entries in the case folder";
            }
            if (program.started) {
                markedRows[0] = test.Rows(IDC_INSTALLED_LIST);
                markedRows[1] = test.Rows(IDC_AVAILABLE_LIST);
            }
        } else if (verb == "moved") {
            size_t last = tail.rfind(' ');
            expected = test.Moved(expected, Relative(word, tail.substr(0, last)),
                                  Relative(tail.substr(last + 1), tail.substr(0, last)));
        } else if (verb == "gone") {
            expected = test.Moved(expected, Relative(word, tail), "");
        } else if (verb == "same") {
            EXPECT_EQ(test.CaseSnapshot(), expected) << Printed(shown);
        } else if (verb == "same-lists") {
            EXPECT_EQ(test.Rows(IDC_INSTALLED_LIST), markedRows[0]);
            EXPECT_EQ(test.Label(IDC_INSTALLED_COUNT), std::to_string(markedRows[0].size()));
            EXPECT_EQ(test.Rows(IDC_AVAILABLE_LIST), markedRows[1]);
            EXPECT_EQ(test.Label(IDC_AVAILABLE_COUNT), std::to_string(markedRows[1].size()));
        } else if (verb == "exits") {
            DWORD code = 1234;
            ASSERT_TRUE(WaitForExit(&program, &code));
            EXPECT_EQ(code, 0u);
        } else if (verb == "running") {
            EXPECT_FALSE(ProgramHasExited(&program));
            EXPECT_TRUE(IsWindowVisible(program.window));
            EXPECT_TRUE(IsWindowEnabled(program.window));
        } else {
            FAIL() << "no step \"" << verb << "\"";
        }
    }

    // Opens a file as another program would, and keeps it open until Release.
    void Hold(const std::string &path, DWORD access, DWORD share)
    {
        HANDLE file = CreateFileA(path.c_str(), access, share, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
        ASSERT_NE(file, INVALID_HANDLE_VALUE) << path << ", error " << GetLastError();
        held.push_back(file);
    }

    void Release()
    {
        for (HANDLE file : held)
            CloseHandle(file);
        held.clear();
    }

    void MakeIgnoreListReadOnly()
    {
        const char *ignoreFile = game.ignoreFile.c_str();
        ASSERT_TRUE(SetFileAttributesA(ignoreFile, FILE_ATTRIBUTE_READONLY));
        HANDLE probe =
            CreateFileA(ignoreFile, GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                        OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (probe != INVALID_HANDLE_VALUE) {
            CloseHandle(probe);
            stopped = true;
            GTEST_SKIP() << "needs an unprivileged user: this one may write a read-only file "
                            "(the e2e_fault_unprivileged test runs it as one)";
        }
    }

    void Press(const std::string &key)
    {
        if (key == "alt-f4")
            ASSERT_TRUE(PressAltChord(&program, VK_F4));
        else if (key == "enter" || key == "esc")
            ASSERT_TRUE(PressKey(&program, key == "enter" ? VK_RETURN : VK_ESCAPE));
        else
            FAIL() << "no key " << key;
    }

    // The row of `name` focused with the keys in the list that has the
    // focus, and the menu opened by `key`: just below the row, off it.
    void OpenMenuOnRow(MenuKey key, int list, const std::string &name)
    {
        int row = -1, focused = -1;
        ASSERT_TRUE(FindRow(&program, list, name, &row));
        ASSERT_TRUE(PressKeyIn(&program, program.window, VK_HOME));
        for (int down = 0; down < row; ++down)
            ASSERT_TRUE(PressKeyIn(&program, program.window, VK_DOWN));
        ASSERT_TRUE(WaitFor([&] {
            return FocusedRow(&program, list, &focused) && focused == row;
        })) << "the keys did not reach "
            << name;
        ASSERT_TRUE(OpenMenuByKey(&program, key));
        RECT shownRow, menu;
        ASSERT_TRUE(RowRectangle(&program, list, row, &shownRow));
        MapWindowPoints(ListWindow(program, list), nullptr, (POINT *)&shownRow, 2);
        GetWindowRect(FindProgramWindow(program, "#32768", nullptr, false, nullptr), &menu);
        EXPECT_EQ(menu.top, shownRow.bottom) << "the menu is not just below " << name;
    }

    // The delete question, whole, answered with a click or with Enter (Yes
    // is its default).
    void AnswerDeleteQuestion(const std::string &answer)
    {
        ASSERT_TRUE(answer == "yes" || answer == "no" || answer == "enter")
            << "no answer " << answer;
        ShownMessageBox box;
        ASSERT_TRUE(FindMessageBox(&program, &box)) << "Delete did not ask";
        EXPECT_EQ(box.caption, "Quillmoor MM");
        ASSERT_EQ(box.text, DeleteQuestion);
        EXPECT_EQ(box.buttons, (std::vector<int>{IDYES, IDNO}));
        if (answer == "enter") {
            ASSERT_TRUE(PressKeyIn(&program, box.window, VK_RETURN));
            ASSERT_TRUE(WaitFor([&] { return !IsWindow(box.window); }))
                << "Enter did not answer";
        } else {
            ASSERT_TRUE(AnswerMessageBox(&program, box, answer == "yes" ? IDYES : IDNO));
        }
    }

    // The error report of a command: its own text whole, then the system's
    // reason, whatever the system's wording; answered with OK. A box still
    // open after it fails the case and is answered (ExpectNoMessageBox).
    void ExpectReport(const std::string &command)
    {
        const char *failure = nullptr;
        for (const auto &item : Commands) {
            if (command == item.word)
                failure = item.failure;
        }
        ASSERT_TRUE(failure && *failure) << "no command " << command;
        // A missing report fails the case but not the steps after it: the
        // snapshot that follows shows what the operation did instead.
        ShownMessageBox box;
        if (FindMessageBox(&program, &box)) {
            ExpectErrorReport(box, failure);
            EXPECT_TRUE(AnswerMessageBox(&program, box, IDOK));
        } else {
            ADD_FAILURE() << "no report of \"" << failure << "\"";
        }
        test.ExpectNoMessageBox();
    }
};

CaseSteps::CaseSteps(E2eTest *test, const std::vector<std::string> &words)
    : runner(new Runner(test, words))
{
}

// Lets go of what the steps held, before the fixture stops the program.
CaseSteps::~CaseSteps()
{
    runner->Release();
    SetFileAttributesA(runner->game.ignoreFile.c_str(), FILE_ATTRIBUTE_NORMAL);
}

void CaseSteps::operator()(const std::string &steps)
{
    int number = 0;
    for (const std::string &part : SplitText(steps, "|")) {
        if (::testing::Test::HasFatalFailure() || runner->stopped)
            return;
        std::string written = TrimSpaces(part);
        // Only a row's word may stand for no step; "||" is a slip.
        ASSERT_FALSE(written.empty()) << "an empty step after step " << number;
        std::string step = runner->Substituted(written);
        // The number tells apart the rounds of steps a script repeats.
        SCOPED_TRACE("step " + std::to_string(++number) + " \"" + step + "\"");
        runner->Run(step);
    }
}

namespace {

// A case that is a script and nothing else.
struct ScriptedTest : E2eTest {
    std::string script;
    std::vector<std::string> words;

    ScriptedTest(const std::string &script, const std::vector<std::string> &words)
        : script(script), words(words)
    {
    }

    void TestBody() override
    {
        CaseSteps steps(this, words);
        steps(script);
    }
};

void Register(const ScriptedSuite &suite, const ScriptRow *row)
{
    std::string name = suite.test, steps = suite.steps;
    if (row) {
        name += std::string("/") + row->label;
        if (row->steps)
            steps += std::string(" | ") + row->steps;
    }
    std::vector<std::string> words(5);
    for (int i = 0; row && i < 5; ++i)
        words[i] = row->words[i] ? row->words[i] : "";
    // The factory gives the plain fixture, so that a suite may keep cases
    // of its own (TEST_F) beside its scripted ones.
    ::testing::RegisterTest(
        suite.suite, name.c_str(), nullptr, row ? row->label : nullptr, __FILE__, __LINE__,
        [steps, words]() -> E2eTest * { return new ScriptedTest(steps, words); });
}

} // namespace

bool RegisterScriptedSuites(const std::vector<ScriptedSuite> &suites)
{
    for (const ScriptedSuite &suite : suites) {
        if (suite.rows.empty())
            Register(suite, nullptr);
        for (const ScriptRow &row : suite.rows)
            Register(suite, &row);
    }
    return true;
}
