// Printing and recording the benchmark's results.
#include "bench_table.h"

#include <stdio.h>

namespace {

const char CsvColumns[] =
    "platform,measure,archives,ignore_entries,unit,median,min,max,reference,"
    "reference_median,reference_min,reference_max,ratio_median,ratio_min,ratio_max,"
    "runs,target,met\n";

std::string TargetText(const BenchResult &result)
{
    if (!HasTarget(result))
        return "";
    char text[96];
    if (result.limitOnRatio)
        snprintf(text, sizeof text, "%s \u2264 %g\u00D7 %s", result.subject.c_str(),
                 result.limit, result.reference.c_str());
    else
        snprintf(text, sizeof text, "median \u2264 %g %s", result.limit, result.unit.c_str());
    return text;
}

} // namespace

bool HasTarget(const BenchResult &result)
{
    return result.limit > 0;
}

bool TargetMet(const BenchResult &result)
{
    double judged = result.limitOnRatio ? result.ratio.median : result.value.median;
    return judged <= result.limit;
}

void PrintTableHeader(const char *title)
{
    printf("\n%s\n", title);
    printf("%-8s %-20s %9s %6s %10s %10s %10s %-11s %-17s %10s %17s  %s\n", "where", "measure",
           "archives", "ignore", "median", "min", "max", "unit", "against", "its median",
           "ratio (min-max)", "target");
    fflush(stdout);
}

void PrintResult(const BenchResult &result)
{
    char ratio[40] = "-";
    char referenceMedian[24] = "-";
    if (!result.reference.empty()) {
        snprintf(ratio, sizeof ratio, "%.2f (%.2f-%.2f)", result.ratio.median, result.ratio.min,
                 result.ratio.max);
        snprintf(referenceMedian, sizeof referenceMedian, "%.3f", result.referenceValue.median);
    }
    std::string target = TargetText(result);
    if (!target.empty())
        target += TargetMet(result) ? ": met" : ": MISSED";
    printf("%-8s %-20s %9s %6s %10.3f %10.3f %10.3f %-11s %-17s %10s %17s  %s\n",
           result.platform.c_str(), result.measure.c_str(), result.archives.c_str(),
           result.ignoreEntries.c_str(), result.value.median, result.value.min,
           result.value.max, result.unit.c_str(),
           result.reference.empty() ? "-" : result.reference.c_str(), referenceMedian, ratio,
           target.c_str());
    fflush(stdout);
}

bool AppendCsv(const std::string &path, const BenchResult &result)
{
    FILE *file = fopen(path.c_str(), "ab");
    if (!file)
        return false;
    if (fseek(file, 0, SEEK_END) == 0 && ftell(file) == 0)
        fputs(CsvColumns, file);
    const bool compared = !result.reference.empty();
    fprintf(file, "%s,%s,%s,%s,%s,%.6g,%.6g,%.6g,", result.platform.c_str(),
            result.measure.c_str(), result.archives.c_str(), result.ignoreEntries.c_str(),
            result.unit.c_str(), result.value.median, result.value.min, result.value.max);
    if (compared)
        fprintf(file, "%s,%.6g,%.6g,%.6g,%.4g,%.4g,%.4g,", result.reference.c_str(),
                result.referenceValue.median, result.referenceValue.min,
                result.referenceValue.max, result.ratio.median, result.ratio.min,
                result.ratio.max);
    else
        fputs(",,,,,,,", file);
    fprintf(file, "%d,%s,%s\n", result.runs, TargetText(result).c_str(),
            !HasTarget(result)  ? ""
            : TargetMet(result) ? "yes"
                                : "no");
    return fclose(file) == 0;
}
