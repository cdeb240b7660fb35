// The parts of the benchmark and what they share: the settings of the run
// and the reporting of each figure.
#ifndef QUILLMOOR_BENCH_PARTS_H
#define QUILLMOOR_BENCH_PARTS_H

#include "bench_table.h"

#include <string>

struct BenchSettings {
    std::string platform; // how the table names this build: "native", "wine-x86" or "wine-x64"
    std::string work;     // where the game folders are laid out
    std::string csv;      // the CSV file the results are appended to
    std::string program;  // QuillmoorMM.exe (Windows only)
    std::string emptyDialog; // the empty dialog program (Windows only)
    std::string shipped;     // the program whose file size is reported: the 32-bit one
    int runs;                // measured runs of each figure, after one warm-up
};

// Prints the row and appends it to the CSV file; false if that fails.
bool Report(const BenchSettings &settings, const BenchResult &result);

// Full scans of both lists against a bare search of the same folder.
bool RunScanBench(const BenchSettings &settings);

#ifdef _WIN32
// Start-up of the program against the empty dialog's, both started as
// separate processes and watched from outside.
bool RunStartupBench(const BenchSettings &settings);
// The program's file size and its peak working set with a long list.
bool RunFootprintBench(const BenchSettings &settings);
#endif

#endif
