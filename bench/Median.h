#pragma once

#include <algorithm>
#include <vector>

namespace ZtBench {

// The middle of the measured values (the upper middle of an even count).
template <typename T>
T Median(std::vector<T> values)
{
    std::sort(values.begin(), values.end());
    return values.at(values.size() / 2);
}

} // namespace ZtBench
