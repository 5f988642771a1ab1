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
    // Unit gain except narrow notches (Gaussian, kHumNotchWidthHz) on every multiple of
    // `fundamental` inside the range.
    static std::vector<float> humNotches(const FrequencyRange& range, double fundamental);

    static constexpr double kBandTransitionHz = 50.0;
    static constexpr double kHumNotchWidthHz = 3.0;
};

} // namespace companion
