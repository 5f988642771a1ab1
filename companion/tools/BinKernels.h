#pragma once

#include <cstddef>

namespace companion
{

// The loops of the denoiser that run over every bin of every frame and that the compiler
// does not vectorise alone. Each is built twice, for AVX2 and for any x86-64; the processor
// picks when the program loads.
class BinKernels
{
public:
    static constexpr float kLowestRatio = 1e-3f; // the least signal-to-noise estimate
    static constexpr size_t kBackwardSteps = 3;  // the tracked frame and the lookahead's after it

    // One decision-directed step: each bin's signal-to-noise estimate (into `ratio`) from
    // what was kept of it in the neighbouring frame and its fresh power, then what its
    // Wiener gain keeps (into `kept`).
    static void directedStep(const float* power, const float* inverseNoise, float* kept,
                             float* ratio, size_t count, float smoothing, float floor);
    // The Wiener gains from the mean of the forward estimate and the backward one,
    // decision-directed over the kBackwardSteps frames from the newest.
    static void backwardGains(const float* const* powers, const float* const* inverses,
                              const float* forward, float* gains, size_t count, float smoothing,
                              float floor);
    // The largest value (at least 0), and the sum in eight sums side by side.
    static float peakAndRoughSum(const float* x, size_t count, float* roughSum);
    // The sum in sixteen sums side by side: only to compare with a silence threshold.
    static double bandEnergy(const float* power, size_t count);
    // Each group of groupBins values' sum, the last group over what is left.
    static void groupSums(const float* x, float* groups, size_t count, size_t groupBins);
    // Each bin's tracked noise mixed with its learnt one by `mix`, never under leastNoise,
    // as its inverse; returns the sum of the noise.
    static double mixNoise(const float* around, const float* learnt, float* inverse, size_t count,
                           const float* mix, float leastNoise);
    static void windowInto(const float* frame, const float* window, float* time, size_t count);
    // The power of each of `count` complex values stored as pairs of parts.
    static void powersOf(const float* parts, float* power, size_t count);
    static void addInto(float* sum, const float* x, size_t count);
    // overlap += time × window × scale.
    static void addWindowed(float* overlap, const float* time, const float* window, float scale,
                            size_t count);
    // Each gain over [first, end) with a quarter of each neighbour's.
    static void smoothGains(const float* gains, float* smoothed, size_t first, size_t end);
    // Where a bin's power stands over clearRatio times its noise, its smoothed gain is at
    // least its own.
    static void keepClearGains(const float* power, const float* inverseNoise, const float* gains,
                               float* smoothed, size_t count, float clearRatio);
    // Both parts of each of `count` complex values (stored as pairs) times its gain.
    static void scaleParts(float* parts, const float* gains, size_t count);
};

} // namespace companion
