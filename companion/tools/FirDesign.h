#pragma once

#include "FrequencyRange.h"

#include <vector>

namespace companion
{

// Linear-phase (symmetric, odd-length) FIR designs. A filter of n taps delays by (n - 1) / 2.
class FirDesign
{
public:
    // Keeps [range.low, range.high]: Kaiser-windowed sinc, edges at -6 dB, stop band below
    // -90 dB from one transition width (kBandTransitionHz) outside the edges.
    static std::vector<float> bandPass(const FrequencyRange& range);

    static constexpr double kBandTransitionHz = 50.0;
};

} // namespace companion
