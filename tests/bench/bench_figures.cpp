// Timing and summarising: every figure is the median of several runs after
// a warm-up, given with the smallest and largest run.
#include "bench_figures.h"

#include <algorithm>

#ifdef _WIN32
#include <windows.h>
#else
#include <time.h>
#endif

double Seconds()
{
#ifdef _WIN32
    LARGE_INTEGER count, frequency;
    QueryPerformanceCounter(&count);
    QueryPerformanceFrequency(&frequency);
    return (double)count.QuadPart / (double)frequency.QuadPart;
#else
    struct timespec now;
    clock_gettime(CLOCK_MONOTONIC, &now);
    return (double)now.tv_sec + (double)now.tv_nsec * 1e-9;
#endif
}

Figure Summarise(std::vector<double> samples)
{
    Figure figure = {0, 0, 0};
    if (samples.empty())
        return figure;
    std::sort(samples.begin(), samples.end());
    size_t middle = samples.size() / 2;
    figure.median =
        samples.size() % 2 ? samples[middle] : (samples[middle - 1] + samples[middle]) / 2;
    figure.min = samples.front();
    figure.max = samples.back();
    return figure;
}

std::vector<double> Ratios(const std::vector<double> &samples,
                           const std::vector<double> &references)
{
    std::vector<double> ratios;
    for (size_t i = 0; i < samples.size() && i < references.size(); i++)
        ratios.push_back(references[i] > 0 ? samples[i] / references[i] : 0);
    return ratios;
}

std::vector<double> Scaled(const std::vector<double> &samples, double factor)
{
    std::vector<double> scaled;
    for (double sample : samples)
        scaled.push_back(sample * factor);
    return scaled;
}
