#include "Statistics.h"

#include <algorithm>

namespace {

double Percentile(const std::vector<double>& sorted, double fraction)
{
    const double rank = fraction * static_cast<double>(sorted.size() - 1);
    const auto below = static_cast<size_t>(rank);
    const size_t above = std::min(below + 1, sorted.size() - 1);
    return sorted[below] + (sorted[above] - sorted[below]) * (rank - static_cast<double>(below));
}

}  // namespace

Spread Summarise(std::vector<double> values)
{
    Spread spread;
    if (values.empty())
        return spread;
    std::sort(values.begin(), values.end());
    spread.median = Percentile(values, 0.5);
    spread.p10 = Percentile(values, 0.1);
    spread.p90 = Percentile(values, 0.9);
    spread.count = static_cast<int>(values.size());
    return spread;
}
