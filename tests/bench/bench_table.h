// The benchmark's results: one row per figure, printed as a table and
// appended to a CSV file.
#ifndef QUILLMOOR_BENCH_TABLE_H
#define QUILLMOOR_BENCH_TABLE_H

#include "bench_figures.h"

#include <string>

struct BenchResult {
    std::string platform;      // "native", "wine-x86" or "wine-x64"
    std::string measure;       // what was measured
    std::string archives;      // "10000", "1000+1000", or "-"
    std::string ignoreEntries; // entries of ignore.list, or "-"
    std::string unit;
    Figure value;
    // What the value is compared with in the same runs; empty for none.
    std::string reference;
    Figure referenceValue;
    Figure ratio; // value / reference, run by run
    int runs;
    // The limit the median is held to, on the ratio or on the value; no
    // target when `limit` is 0. A target on the ratio names what is held
    // to it ("scan").
    double limit;
    bool limitOnRatio;
    std::string subject;
};

bool HasTarget(const BenchResult &result);
bool TargetMet(const BenchResult &result);

void PrintTableHeader(const char *title);
void PrintResult(const BenchResult &result);
// Writes the column names first when the file is new. False if it cannot
// be written.
bool AppendCsv(const std::string &path, const BenchResult &result);

#endif
