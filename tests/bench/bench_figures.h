// The benchmark's clock and the summary of repeated measurements.
#ifndef QUILLMOOR_BENCH_FIGURES_H
#define QUILLMOOR_BENCH_FIGURES_H

#include <vector>

// Seconds on a monotonic clock; only differences mean anything.
double Seconds();

// The median, smallest and largest of a set of measurements.
struct Figure {
    double median;
    double min;
    double max;
};

// An empty set summarises as zeros.
Figure Summarise(std::vector<double> samples);

// Each sample divided by its partner of the same run.
std::vector<double> Ratios(const std::vector<double> &samples,
                           const std::vector<double> &references);

std::vector<double> Scaled(const std::vector<double> &samples, double factor);

#endif
