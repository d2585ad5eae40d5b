#pragma once
// Median and spread of repeated measurements.

#include <vector>

struct Spread {
    double median = 0.0;
    double p10 = 0.0;  // tenth percentile
    double p90 = 0.0;  // ninetieth percentile
    int count = 0;
};

// Percentiles by linear interpolation between the closest ranks; all zero for
// no values.
Spread Summarise(std::vector<double> values);
