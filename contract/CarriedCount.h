#pragma once

#include <cmath>
#include <cstdint>
#include <limits>

#include "ParameterIDs.h"

// value cut toward zero and held within the int32 range; NaN gives 0.
inline std::int32_t TruncateToInt32(double value)
{
    constexpr std::int32_t kMost = std::numeric_limits<std::int32_t>::max();
    constexpr std::int32_t kLeast = std::numeric_limits<std::int32_t>::min();
    if (std::isnan(value)) return 0;
    if (value >= static_cast<double>(kMost)) return kMost;
    if (value <= static_cast<double>(kLeast)) return kLeast;
    return static_cast<std::int32_t>(value);
}

// The whole number k that a parameter carries as k / scale (tool counts and preset numbers
// with kCountScale, frequencies with kFrequencyScale): value * scale + 0.49, truncated. The
// 0.49 takes back what single precision lost without turning a half into the next number.
inline std::int32_t CountFromValue(double value, double scale = kCountScale)
{
    return TruncateToInt32(value * scale + 0.49);
}
