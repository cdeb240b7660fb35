// The scan figures: a full ScanInstalled or ScanAvailable, per archive, run
// by run against two references over the same folder: a bare search
// (FindFirstFileA and FindNextFileA, nothing else), and the floor, the calls
// a scan is made of for each archive and nothing around them. For folders
// of 1,000 and 10,000 archives and ignore lists of 0, 50 and 500 entries.
#include "bench_parts.h"

#include "bench_folders.h"
#include "bench_window.h"
#include "ignore_list.h"
#include "mod_scan.h"
#include "size_text.h"

#include <stdio.h>

#include <vector>

namespace {

const int FolderSizes[] = {1000, 10000};
const int IgnoreListLengths[] = {0, 50, 500};

// The targets: a scan of 10,000 archives with 50 entries to ignore costs at
// most three bare searches, and at most 15 % more than its floor.
const int TargetArchives = 10000;
const int TargetIgnoreEntries = 50;
const double TargetRatio = 3.0;
const double TargetFloorRatio = 1.15;

const char *const SearchPatterns[2] = {"..\\main\\*.iwd", ".\\mods\\*.iwd"};

// The search alone: the floor under any scan of the folder.
double BareSearch(ModFolder folder, int *found)
{
    double start = Seconds();
    int count = 0;
    WIN32_FIND_DATAA entry;
    HANDLE search = FindFirstFileA(SearchPatterns[folder], &entry);
    if (search != INVALID_HANDLE_VALUE) {
        do
            count++;
        while (FindNextFileA(search, &entry));
        FindClose(search);
    }
    double seconds = Seconds() - start;
    *found = count;
    return seconds;
}

bool ListNothing(const char *, DWORD, DWORD, bool, void *)
{
    return true;
}

// The floor under a scan of the folder: the wide listing of its names, the
// narrow search, and for each archive its full path, one pass of the held
// ignore list (the installed list only), one row inserted and two cells
// set; the count at the end. What the scan adds to these is its own.
double Floor(HWND window, ModFolder folder, int *listed)
{
    double start = Seconds();
    FloorClear(window, folder);
    ListOwnNames(SearchPatterns[folder], ListNothing, nullptr);
    int rows = 0;
    WIN32_FIND_DATAA entry;
    HANDLE search = FindFirstFileA(SearchPatterns[folder], &entry);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            if (folder == InstalledFolder && IsIgnored(entry.cFileName))
                continue;
            char sizeText[TextBufferSize], relative[TextBufferSize], fullPath[MAX_PATH];
            FormatSizeText(entry.nFileSizeLow, sizeText, sizeof sizeText);
            FormatText(relative, sizeof relative, ModFolderPathFormat(folder), entry.cFileName);
            GetFullPathNameA(relative, sizeof fullPath, fullPath, nullptr);
            FloorAddRow(window, folder, rows, entry.cFileName, sizeText, fullPath);
            rows++;
        } while (FindNextFileA(search, &entry));
        FindClose(search);
    }
    FloorShowCount(window, folder, rows);
    double seconds = Seconds() - start;
    *listed = rows;
    return seconds;
}

double FullScan(HWND window, ModFolder folder)
{
    double start = Seconds();
    if (folder == InstalledFolder)
        ScanInstalled(window);
    else
        ScanAvailable(window);
    return Seconds() - start;
}

struct ScanSamples {
    std::vector<double> scan;
    std::vector<double> bare;
    std::vector<double> floor;
};

// One warm-up, then `runs` measured runs; within a run the three are taken
// in turns, each run starting with another, so that none always finds the
// folder freshly read. False if a scan, or the floor, lists other than
// every archive.
bool MeasureScan(HWND window, ModFolder folder, int archives, int runs, ScanSamples *samples)
{
    bool whole = true;
    for (int run = 0; whole && run <= runs; run++) {
        int found = 0, floorListed = 0;
        double times[3];
        for (int turn = 0; turn < 3; turn++) {
            switch ((run + turn) % 3) {
            case 0:
                times[0] = FullScan(window, folder);
                whole = ModListRowCount(window, folder) == archives;
                break;
            case 1:
                times[1] = BareSearch(folder, &found);
                break;
            case 2:
                times[2] = Floor(window, folder, &floorListed);
                break;
            }
            if (!whole)
                break;
        }
        if (!whole || found != archives || floorListed != archives) {
            fprintf(
                stderr,
                "bench: %d archives, the search found %d, the scan listed %s, the floor %d\n",
                archives, found, whole ? "all" : "others", floorListed);
            whole = false;
        } else if (run > 0) {
            samples->scan.push_back(times[0]);
            samples->bare.push_back(times[1]);
            samples->floor.push_back(times[2]);
        }
    }
    return whole;
}

bool ReportScan(const BenchSettings &settings, ModFolder folder, int archives,
                int ignoreEntries, const ScanSamples &samples)
{
    const double microsecondsPerArchive = 1e6 / archives;
    const bool target = folder == InstalledFolder && archives == TargetArchives &&
                        ignoreEntries == TargetIgnoreEntries;
    BenchResult result = {};
    result.platform = settings.platform;
    result.measure = folder == InstalledFolder ? "ScanInstalled" : "ScanAvailable";
    result.archives = std::to_string(archives);
    result.ignoreEntries = folder == InstalledFolder ? std::to_string(ignoreEntries) : "-";
    result.unit = "us/archive";
    result.value = Summarise(Scaled(samples.scan, microsecondsPerArchive));
    result.runs = (int)samples.scan.size();
    result.subject = "scan";
    const struct {
        const char *name;
        const std::vector<double> &times;
        double limit;
    } references[] = {{"bare search", samples.bare, TargetRatio},
                      {"floor", samples.floor, TargetFloorRatio}};
    for (const auto &reference : references) {
        result.reference = reference.name;
        result.referenceValue = Summarise(Scaled(reference.times, microsecondsPerArchive));
        result.ratio = Summarise(Ratios(samples.scan, reference.times));
        result.limit = target ? reference.limit : 0;
        result.limitOnRatio = target;
        if (!Report(settings, result))
            return false;
    }
    return true;
}

bool BenchFolderSize(const BenchSettings &settings, HWND window, int archives)
{
    GameFolder game;
    std::string root = JoinPath(settings.work, "scan-" + std::to_string(archives));
    if (!PrepareGame(root, archives, archives, &game) || !ChangeDirectory(game.programFolder)) {
        fprintf(stderr, "bench: cannot lay out %s\n", root.c_str());
        return false;
    }
    for (int entries : IgnoreListLengths) {
        if (!WriteWholeFile("ignore.list", IgnoreListText(entries)))
            return false;
        OpenIgnoreList();
        ScanSamples samples;
        bool measured = MeasureScan(window, InstalledFolder, archives, settings.runs, &samples);
        CloseIgnoreList();
        if (!measured || !ReportScan(settings, InstalledFolder, archives, entries, samples))
            return false;
    }
    // The available list never asks the ignore list.
    ScanSamples samples;
    return MeasureScan(window, AvailableFolder, archives, settings.runs, &samples) &&
           ReportScan(settings, AvailableFolder, archives, 0, samples);
}

} // namespace

bool RunScanBench(const BenchSettings &settings)
{
    HWND window = OpenBenchWindow();
    if (!window) {
        fprintf(stderr, "bench: cannot make the window to scan into\n");
        return false;
    }
    bool measured = true;
    for (int archives : FolderSizes) {
        if (!BenchFolderSize(settings, window, archives)) {
            measured = false;
            break;
        }
    }
    CloseBenchWindow(window);
    return measured;
}
