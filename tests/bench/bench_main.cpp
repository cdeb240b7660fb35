// The benchmark's entry: what to measure and where, from the command line.
//
//   quill_bench --platform NAME --work DIR --csv FILE [--runs N]
//               [--empty-dialog EMPTY.exe [--shipped SHIPPED.exe] QuillmoorMM.exe]
//
// The scan figures are always taken; under Windows, given both programs,
// the start-up and footprint figures too. The program comes last, as the
// end-to-end driver takes it, so that the same script runs both in an X
// server of their own. Paths must be absolute: the scans run in the game
// folders laid out under DIR.
#include "bench_parts.h"

#include "bench_folders.h"

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

namespace {

const int DefaultRuns = 5;

int Usage()
{
    fprintf(stderr, "usage: quill_bench --platform NAME --work DIR --csv FILE [--runs N]"
                    " [--empty-dialog EXE [--shipped EXE] QuillmoorMM.exe]\n");
    return 2;
}

bool ReadArguments(int argc, char **argv, BenchSettings *settings)
{
    settings->runs = DefaultRuns;
    int i = 1;
    for (; i + 1 < argc && strncmp(argv[i], "--", 2) == 0; i += 2) {
        const char *option = argv[i];
        std::string value = argv[i + 1];
        if (strcmp(option, "--platform") == 0)
            settings->platform = value;
        else if (strcmp(option, "--work") == 0)
            settings->work = SystemPath(value);
        else if (strcmp(option, "--csv") == 0)
            settings->csv = SystemPath(value);
        else if (strcmp(option, "--empty-dialog") == 0)
            settings->emptyDialog = SystemPath(value);
        else if (strcmp(option, "--shipped") == 0)
            settings->shipped = SystemPath(value);
        else if (strcmp(option, "--runs") == 0)
            settings->runs = atoi(value.c_str());
        else
            return false;
    }
    if (i == argc - 1)
        settings->program = SystemPath(argv[i++]);
    if (settings->shipped.empty())
        settings->shipped = settings->program;
    return i == argc && !settings->platform.empty() && !settings->work.empty() &&
           !settings->csv.empty() && settings->runs > 0 &&
           settings->program.empty() == settings->emptyDialog.empty();
}

} // namespace

bool Report(const BenchSettings &settings, const BenchResult &result)
{
    PrintResult(result);
    if (AppendCsv(settings.csv, result))
        return true;
    fprintf(stderr, "bench: cannot write %s\n", settings.csv.c_str());
    return false;
}

int main(int argc, char **argv)
{
    BenchSettings settings;
    if (!ReadArguments(argc, argv, &settings))
        return Usage();
    if (!EnsureFolder(settings.work)) {
        fprintf(stderr, "bench: cannot make %s\n", settings.work.c_str());
        return 1;
    }
    std::string title = "Quillmoor MM benchmark, " + settings.platform + ": median of " +
                        std::to_string(settings.runs) + " runs after a warm-up";
    PrintTableHeader(title.c_str());
    if (!RunScanBench(settings))
        return 1;
#ifdef _WIN32
    if (!settings.program.empty() &&
        (!RunStartupBench(settings) || !RunFootprintBench(settings)))
        return 1;
#endif
    return 0;
}
