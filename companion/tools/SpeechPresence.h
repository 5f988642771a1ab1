#pragma once

#include <cstddef>

namespace companion
{

// The speech presence estimator of Gerkmann and Hendriks (2012), one frame's step over a
// stretch of bins: each bin's noise power expected given the probability that speech is
// present, from its power and its recursively averaged noise, which the step then updates,
// as it does the smoothed presence. Speech is assumed 15 dB over the noise where present,
// present or absent equally likely beforehand.
class SpeechPresence
{
public:
    static constexpr float kPresentRatio = 31.622777f; // 15 dB
    // The paper's averaging weights (0.8 for the noise, 0.9 for the presence) are per half
    // frame; these are per quarter frame, the hop they are used at.
    static constexpr float kNoiseAveraging = 0.8944272f;    // 0.8 ^ 0.5
    static constexpr float kPresenceAveraging = 0.9486833f; // 0.9 ^ 0.5
    static constexpr float kLeastNoise = 1e-20f;            // the averaged noise's floor

    // Over bins [0, count) of each array; `expected` is written, `averaged` and `presence`
    // updated in place. Eight bins at once where the processor has AVX2.
    static void step(const float* power, float* averaged, float* presence, float* expected,
                     size_t count, float noiseAveraging = kNoiseAveraging,
                     float presenceAveraging = kPresenceAveraging);
};

} // namespace companion
