#pragma once

#include <algorithm>
#include <vector>

// The benchmarks report medians: one slow start (a page-cache miss, a busy core) moves a mean.
inline double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}
