// The scan figures: a full ScanInstalled or ScanAvailable, per archive, run
// by run against a bare search of the same folder (FindFirstFileA and
// FindNextFileA, nothing else), for folders of 1,000 and 10,000 archives and
// ignore lists of 0, 50 and 500 entries.
#include "bench_parts.h"

#include "bench_folders.h"
#include "bench_window.h"
#include "ignore_list.h"
#include "mod_scan.h"

#include <stdio.h>

#include <vector>

namespace {

const int FolderSizes[] = {1000, 10000};
const int IgnoreListLengths[] = {0, 50, 500};

// The targets: a scan of 10,000 archives with 50 entries to ignore costs at
// most three bare searches.
const int TargetArchives = 10000;
const int TargetIgnoreEntries = 50;
const double TargetRatio = 3.0;

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
};

// One warm-up, then `runs` measured runs; within a run the two are taken in
// turns, first one then the other, so that neither always finds the folder
// freshly read. False if a scan lists other than every archive.
bool MeasureScan(HWND window, ModFolder folder, int archives, int runs, ScanSamples *samples)
{
    for (int run = 0; run <= runs; run++) {
        int found = 0;
        double bare, scan;
        if (run % 2) {
            scan = FullScan(window, folder);
            bare = BareSearch(folder, &found);
        } else {
            bare = BareSearch(folder, &found);
            scan = FullScan(window, folder);
        }
        int listed = ModListRowCount(window, folder);
        if (found != archives || listed != archives) {
            fprintf(stderr, "bench: %d archives, the search found %d and the scan listed %d\n",
                    archives, found, listed);
            return false;
        }
        if (run > 0) {
            samples->scan.push_back(scan);
            samples->bare.push_back(bare);
        }
    }
    return true;
}

bool ReportScan(const BenchSettings &settings, ModFolder folder, int archives,
                int ignoreEntries, const ScanSamples &samples)
{
    const double microsecondsPerArchive = 1e6 / archives;
    BenchResult result = {};
    result.platform = settings.platform;
    result.measure = folder == InstalledFolder ? "ScanInstalled" : "ScanAvailable";
    result.archives = std::to_string(archives);
    result.ignoreEntries = folder == InstalledFolder ? std::to_string(ignoreEntries) : "-";
    result.unit = "us/archive";
    result.value = Summarise(Scaled(samples.scan, microsecondsPerArchive));
    result.reference = "bare search";
    result.referenceValue = Summarise(Scaled(samples.bare, microsecondsPerArchive));
    result.ratio = Summarise(Ratios(samples.scan, samples.bare));
    result.runs = (int)samples.scan.size();
    if (folder == InstalledFolder && archives == TargetArchives &&
        ignoreEntries == TargetIgnoreEntries) {
        result.limit = TargetRatio;
        result.limitOnRatio = true;
    }
    return Report(settings, result);
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
