// The start-up and footprint figures, under Windows: QuillmoorMM.exe and the
// empty dialog are each started as a separate process, the same way, and
// watched from outside through window messages until they are up.
//
// The program is up when both of its lists answer with all their rows and
// both count labels show them; the empty dialog is up when its window
// answers a message, that is once its modal loop runs.
#include "bench_parts.h"

#include "bench_folders.h"
#include "program_process.h"
#include "resource.h"

#include <windows.h>

#include <commctrl.h>
#include <psapi.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <vector>

namespace {

const int StartupArchives = 1000;
const int FootprintArchives = 10000;
const int IgnoreEntries = 50;

// Targets: start-up at most 1.5 times the empty dialog's; the program file
// at most 96 KiB; at most 32 MiB at the peak with 10,000 archives listed.
const double StartupRatioLimit = 1.5;
const double FileSizeLimitKiB = 96;
const double WorkingSetLimitMiB = 32;

// A program that is not up by then counts as failed.
const double StartTimeout = 60;
const DWORD AnswerTimeout = 10000;

// What has to hold before a started program counts as up; zeros for the
// empty dialog, which has no lists.
struct Expected {
    bool lists;
    int installed;
    int available;
};

struct Started {
    PROCESS_INFORMATION process;
    HWND window;
    double seconds; // from just before process creation until up
};

// Asks with a message that the window's thread answers only from its
// message loop; false if it does not answer in time.
bool Ask(HWND window, UINT message, LRESULT *answer)
{
    return AskWithin(window, message, 0, 0, AnswerTimeout, answer);
}

bool ListShows(HWND window, int list, int label, int rows)
{
    LRESULT count = -1;
    if (!Ask(GetDlgItem(window, list), LVM_GETITEMCOUNT, &count) || count != rows)
        return false;
    char text[32] = "";
    GetWindowTextA(GetDlgItem(window, label), text, sizeof text);
    return atoi(text) == rows && text[0] != '\0';
}

bool IsUp(HWND window, const Expected &expected)
{
    if (!expected.lists) {
        LRESULT ignored;
        return Ask(window, WM_NULL, &ignored);
    }
    return ListShows(window, IDC_INSTALLED_LIST, IDC_INSTALLED_COUNT, expected.installed) &&
           ListShows(window, IDC_AVAILABLE_LIST, IDC_AVAILABLE_COUNT, expected.available);
}

void Stop(Started *started)
{
    if (started->window)
        PostMessageA(started->window, WM_CLOSE, 0, 0);
    WaitForSingleObject(started->process.hProcess, 10000);
    EndProcess(&started->process, 1, 10000);
}

// Starts `program` in `folder` and waits until it is up. On failure the
// process is already stopped.
bool Start(const std::string &program, const std::string &folder, const Expected &expected,
           Started *started)
{
    started->window = nullptr;
    double start = Seconds();
    if (!StartProcessIn(program, folder, &started->process)) {
        fprintf(stderr, "bench: cannot start %s (error %lu)\n", program.c_str(),
                GetLastError());
        return false;
    }
    for (;;) {
        if (!started->window)
            started->window = FindProcessWindow(
                {started->process.dwProcessId, "#32770", nullptr, false, nullptr, true});
        if (started->window && IsUp(started->window, expected))
            break;
        // Doubles as the pause between two looks.
        if (WaitForSingleObject(started->process.hProcess, 1) == WAIT_OBJECT_0 ||
            Seconds() - start > StartTimeout) {
            fprintf(stderr, "bench: %s ended or did not come up\n", program.c_str());
            Stop(started);
            return false;
        }
    }
    started->seconds = Seconds() - start;
    return true;
}

double PeakWorkingSetMiB(HANDLE process)
{
    PROCESS_MEMORY_COUNTERS counters = {};
    counters.cb = sizeof counters;
    if (!GetProcessMemoryInfo(process, &counters, sizeof counters))
        return 0;
    return (double)counters.PeakWorkingSetSize / (1024.0 * 1024.0);
}

struct Pair {
    std::vector<double> program;
    std::vector<double> empty;
};

// One warm-up, then `runs` measured runs, each starting both programs in
// turn (in alternating order). `measure` is read from each while it is up.
bool MeasurePair(const BenchSettings &settings, const std::string &folder,
                 const Expected &expected, double (*measure)(const Started &), Pair *pair)
{
    const Expected emptyDialogUp = {false, 0, 0};
    for (int run = 0; run <= settings.runs; run++) {
        for (int turn = 0; turn < 2; turn++) {
            bool program = (turn == 0) == (run % 2 == 0);
            Started started;
            if (!Start(program ? settings.program : settings.emptyDialog, folder,
                       program ? expected : emptyDialogUp, &started))
                return false;
            double value = measure(started);
            Stop(&started);
            if (run > 0)
                (program ? pair->program : pair->empty).push_back(value);
        }
    }
    return true;
}

double StartSeconds(const Started &started)
{
    return started.seconds;
}

double StartedPeakWorkingSet(const Started &started)
{
    return PeakWorkingSetMiB(started.process.hProcess);
}

bool PrepareProgramFolder(const std::string &folder)
{
    return EnsureFolder(folder) &&
           WriteWholeFile(JoinPath(folder, "ignore.list"), IgnoreListText(IgnoreEntries));
}

} // namespace

bool RunStartupBench(const BenchSettings &settings)
{
    GameFolder game;
    std::string root = JoinPath(settings.work, "scan-" + std::to_string(StartupArchives));
    if (!PrepareGame(root, StartupArchives, StartupArchives, &game) ||
        !PrepareProgramFolder(game.programFolder)) {
        fprintf(stderr, "bench: cannot lay out %s\n", root.c_str());
        return false;
    }
    const Expected listsFull = {true, StartupArchives, StartupArchives};
    Pair pair;
    if (!MeasurePair(settings, game.programFolder, listsFull, StartSeconds, &pair))
        return false;

    BenchResult result = {};
    result.platform = settings.platform;
    result.measure = "start-up";
    result.archives = std::to_string(StartupArchives) + "+" + std::to_string(StartupArchives);
    result.ignoreEntries = std::to_string(IgnoreEntries);
    result.unit = "ms";
    result.value = Summarise(Scaled(pair.program, 1000));
    result.reference = "empty dialog";
    result.referenceValue = Summarise(Scaled(pair.empty, 1000));
    result.ratio = Summarise(Ratios(pair.program, pair.empty));
    result.runs = (int)pair.program.size();
    result.limit = StartupRatioLimit;
    result.limitOnRatio = true;
    result.subject = "start-up";
    return Report(settings, result);
}

bool RunFootprintBench(const BenchSettings &settings)
{
    long long size = FileSize(settings.shipped);
    if (size < 0) {
        fprintf(stderr, "bench: cannot read %s\n", settings.shipped.c_str());
        return false;
    }
    BenchResult file = {};
    file.platform = settings.platform;
    file.measure = "QuillmoorMM.exe size";
    file.archives = "-";
    file.ignoreEntries = "-";
    file.unit = "KiB";
    double kibibytes = (double)size / 1024;
    file.value = {kibibytes, kibibytes, kibibytes};
    file.runs = 1;
    file.limit = FileSizeLimitKiB;
    if (!Report(settings, file))
        return false;

    // Only the installed list is filled: its program folder has no mods.
    GameFolder game;
    std::string root = JoinPath(settings.work, "scan-" + std::to_string(FootprintArchives));
    std::string folder = JoinPath(root, "footprint");
    if (!PrepareGame(root, FootprintArchives, FootprintArchives, &game) ||
        !PrepareProgramFolder(folder)) {
        fprintf(stderr, "bench: cannot lay out %s\n", folder.c_str());
        return false;
    }
    const Expected listed = {true, FootprintArchives, 0};
    Pair pair;
    if (!MeasurePair(settings, folder, listed, StartedPeakWorkingSet, &pair))
        return false;

    BenchResult memory = {};
    memory.platform = settings.platform;
    memory.measure = "peak working set";
    memory.archives = std::to_string(FootprintArchives);
    memory.ignoreEntries = std::to_string(IgnoreEntries);
    memory.unit = "MiB";
    memory.value = Summarise(pair.program);
    memory.reference = "empty dialog";
    memory.referenceValue = Summarise(pair.empty);
    memory.ratio = Summarise(Ratios(pair.program, pair.empty));
    memory.runs = (int)pair.program.size();
    memory.limit = WorkingSetLimitMiB;
    return Report(settings, memory);
}
