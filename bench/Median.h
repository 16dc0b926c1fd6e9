// The statistics every benchmark program reports: the median of its timed
// runs, and the median of each run's ratio to the floor run beside it, which
// a drift of the machine's load affects least.
#pragma once

#include <algorithm>
#include <vector>

inline double Median(std::vector<double> values)
{
    if (values.empty()) return 0;
    std::sort(values.begin(), values.end());
    const size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

inline double MedianPairRatio(const std::vector<double>& ours, const std::vector<double>& floor)
{
    std::vector<double> pairs;
    for (size_t i = 0; i < std::min(ours.size(), floor.size()); ++i) pairs.push_back(floor[i] > 0 ? ours[i] / floor[i] : 0);
    return Median(pairs);
}
