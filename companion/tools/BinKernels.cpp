#include "BinKernels.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace companion
{

namespace
{
constexpr size_t kLanes = 8;
typedef float Lanes __attribute__((vector_size(4 * kLanes)));
} // namespace

// One decision-directed step over bins [0, count): the signal-to-noise estimate from what
// was kept of the bin in the neighbouring frame and the fresh power, then the Wiener gain.
__attribute__((target_clones("avx2", "default"))) void
BinKernels::directedStep(const float* __restrict power, const float* __restrict inverseNoise,
                         float* __restrict kept, float* __restrict ratio, size_t count,
                         float smoothing, float floor)
{
    for (size_t i = 0; i < count; ++i)
    {
        const float fresh = std::max(power[i] * inverseNoise[i] - 1.0f, 0.0f);
        const float r = std::max(smoothing * kept[i] * inverseNoise[i] + (1.0f - smoothing) * fresh,
                                 kLowestRatio);
        ratio[i] = r;
        const float gain = std::max(r / (1.0f + r), floor);
        kept[i] = gain * gain * power[i];
    }
}

// The largest of [0, count), at least 0, and the sum in eight sums side by side (so rounded
// otherwise than a sum in order would be), eight lanes at once where the processor has AVX2.
__attribute__((target_clones("avx2", "default"))) float
BinKernels::peakAndRoughSum(const float* x, size_t count, float* roughSum)
{
    constexpr size_t kSums = 8;
    float sums[kSums] = {};
    float peaks[kSums] = {};
    size_t i = 0;
    for (; i + kSums <= count; i += kSums)
        for (size_t j = 0; j < kSums; ++j)
        {
            sums[j] += x[i + j];
            peaks[j] = std::max(peaks[j], x[i + j]);
        }
    for (; i < count; ++i)
    {
        sums[0] += x[i];
        peaks[0] = std::max(peaks[0], x[i]);
    }
    float sum = 0.0f;
    float peak = 0.0f;
    for (size_t j = 0; j < kSums; ++j)
    {
        sum += sums[j];
        peak = std::max(peak, peaks[j]);
    }
    *roughSum = sum;
    return peak;
}

// The sum of [0, count) in sixteen sums side by side, so that the additions do not wait on
// one another (four lanes at once where the processor has AVX2); only compared with the
// silence threshold.
typedef float FourFloats __attribute__((vector_size(16)));
typedef double FourDoubles __attribute__((vector_size(32)));
__attribute__((target_clones("avx2", "default"))) double BinKernels::bandEnergy(const float* power,
                                                                                size_t count)
{
    constexpr size_t kSums = 4; // of four lanes each
    FourDoubles sums[kSums] = {};
    size_t i = 0;
    for (; i + 4 * kSums <= count; i += 4 * kSums)
        for (size_t k = 0; k < kSums; ++k)
        {
            FourFloats x;
            std::memcpy(&x, power + i + 4 * k, sizeof x);
            sums[k] += __builtin_convertvector(x, FourDoubles);
        }
    double total = 0.0;
    for (; i < count; ++i)
        total += power[i];
    for (size_t k = 0; k < kSums; ++k)
        for (size_t j = 0; j < 4; ++j)
            total += sums[k][j];
    return total;
}

// Each group of groupBins bins' sum over [0, count), the last group over what is left.
// Groups of four, the estimator's, eight groups at once where the processor has AVX2.
__attribute__((target_clones("avx2", "default"))) void
BinKernels::groupSums(const float* __restrict x, float* __restrict groups, size_t count,
                      size_t groupBins)
{
    const size_t whole = count / groupBins;
    if (groupBins == 4)
    {
        for (size_t g = 0; g < whole; ++g)
            groups[g] = (((0.0f + x[4 * g]) + x[4 * g + 1]) + x[4 * g + 2]) + x[4 * g + 3];
    }
    else
    {
        for (size_t g = 0; g < whole; ++g)
        {
            float sum = 0.0f;
            for (size_t i = 0; i < groupBins; ++i)
                sum += x[g * groupBins + i];
            groups[g] = sum;
        }
    }
    if (whole * groupBins == count) return;
    float sum = 0.0f;
    for (size_t i = whole * groupBins; i < count; ++i)
        sum += x[i];
    groups[whole] = sum;
}

// The tracked noise of each bin over [0, count), mixed with the learnt one by that bin's
// `mix`, as its inverse; returns the sum of the noise.
__attribute__((target_clones("avx2", "default"))) double
BinKernels::mixNoise(const float* __restrict around, const float* __restrict learnt,
                     float* __restrict inverse, size_t count, const float* __restrict mix,
                     float leastNoise)
{
    for (size_t i = 0; i < count; ++i)
    {
        const float noise = std::max(leastNoise, learnt[i] + mix[i] * (around[i] - learnt[i]));
        inverse[i] = 1.0f / noise;
    }
    // The noise again from its inverse would round differently: summed from the same terms.
    double sums[4] = {};
    size_t i = 0;
    for (; i + 4 <= count; i += 4)
        for (size_t j = 0; j < 4; ++j)
            sums[j] +=
                std::max(leastNoise, learnt[i + j] + mix[i + j] * (around[i + j] - learnt[i + j]));
    for (; i < count; ++i)
        sums[0] += std::max(leastNoise, learnt[i] + mix[i] * (around[i] - learnt[i]));
    return (sums[0] + sums[1]) + (sums[2] + sums[3]);
}

// frame × window over [0, count), eight lanes at once where the processor has AVX2.
__attribute__((target_clones("avx2", "default"))) void
BinKernels::windowInto(const float* __restrict frame, const float* __restrict window,
                       float* __restrict time, size_t count)
{
    for (size_t i = 0; i < count; ++i)
        time[i] = frame[i] * window[i];
}

// The power of each of `count` complex values stored as pairs of parts.
__attribute__((target_clones("avx2", "default"))) void
BinKernels::powersOf(const float* __restrict parts, float* __restrict power, size_t count)
{
    for (size_t i = 0; i < count; ++i)
        power[i] = parts[2 * i] * parts[2 * i] + parts[2 * i + 1] * parts[2 * i + 1];
}

// sum += x over [0, count), eight lanes at once where the processor has AVX2.
__attribute__((target_clones("avx2", "default"))) void
BinKernels::addInto(float* __restrict sum, const float* __restrict x, size_t count)
{
    for (size_t i = 0; i < count; ++i)
        sum[i] += x[i];
}

// overlap += time × window × scale over [0, count), eight lanes at once where the processor
// has AVX2.
__attribute__((target_clones("avx2", "default"))) void
BinKernels::addWindowed(float* __restrict overlap, const float* __restrict time,
                        const float* __restrict window, float scale, size_t count)
{
    for (size_t i = 0; i < count; ++i)
        overlap[i] += time[i] * window[i] * scale;
}

// Each gain over [first, end) with a quarter of each neighbour's, eight lanes at once where
// the processor has AVX2.
__attribute__((target_clones("avx2", "default"))) void
BinKernels::smoothGains(const float* __restrict gains, float* __restrict smoothed, size_t first,
                        size_t end)
{
    for (size_t i = first; i < end; ++i)
        smoothed[i] = 0.25f * (gains[i - 1] + gains[i + 1]) + 0.5f * gains[i];
}

void BinKernels::keepClearGains(const float* __restrict power, const float* __restrict inverseNoise,
                                const float* __restrict gains, float* __restrict smoothed,
                                size_t count, float clearRatio)
{
    for (size_t i = 0; i < count; ++i)
    {
        const bool clear = power[i] * inverseNoise[i] > clearRatio;
        smoothed[i] = clear ? std::max(smoothed[i], gains[i]) : smoothed[i];
    }
}

// Both parts of each of `count` complex values (stored as pairs) times its gain: eight
// gains spread over the sixteen parts they scale, one AVX2 register of each where the
// processor has it (the compiler would take the parts apart and put them back instead).
__attribute__((target_clones("avx2", "default"))) void
BinKernels::scaleParts(float* __restrict parts, const float* __restrict gains, size_t count)
{
    size_t i = 0;
    for (; i + kLanes <= count; i += kLanes)
    {
        Lanes g, low, high;
        std::memcpy(&g, gains + i, sizeof g);
        std::memcpy(&low, parts + 2 * i, sizeof low);
        std::memcpy(&high, parts + 2 * i + kLanes, sizeof high);
        low *= __builtin_shufflevector(g, g, 0, 0, 1, 1, 2, 2, 3, 3);
        high *= __builtin_shufflevector(g, g, 4, 4, 5, 5, 6, 6, 7, 7);
        std::memcpy(parts + 2 * i, &low, sizeof low);
        std::memcpy(parts + 2 * i + kLanes, &high, sizeof high);
    }
    for (; i < count; ++i)
    {
        parts[2 * i] *= gains[i];
        parts[2 * i + 1] *= gains[i];
    }
}

// The Wiener gain of each bin over [0, count) from the mean of its two estimates, the
// backward one decision-directed over kBackwardSteps frames from the newest (the same
// steps as directedStep's). Step by step over stretches of bins, what each bin keeps held
// on the stack between steps: a bin's steps in one piece are one long chain of dependent
// operations (a division in each), and too few bins' chains fit in the processor's window
// at once to keep it busy. The operations are the same, in the same order for each bin.
__attribute__((target_clones("avx2", "default"))) void
BinKernels::backwardGains(const float* const* powers, const float* const* inverses,
                          const float* __restrict forward, float* __restrict gains, size_t count,
                          float smoothing, float floor)
{
    constexpr size_t kStaged = 256;
    alignas(32) float kept[kStaged];
    alignas(32) float ratio[kStaged];
    for (size_t from = 0; from < count; from += kStaged)
    {
        const size_t n = std::min(kStaged, count - from);
        std::fill(kept, kept + n, 0.0f);
        for (size_t step = 0; step < kBackwardSteps; ++step)
        {
            const float* __restrict power = powers[step] + from;
            const float* __restrict inverse = inverses[step] + from;
            for (size_t i = 0; i < n; ++i)
            {
                const float fresh = std::max(power[i] * inverse[i] - 1.0f, 0.0f);
                ratio[i] = std::max(smoothing * kept[i] * inverse[i] + (1.0f - smoothing) * fresh,
                                    kLowestRatio);
            }
            if (step + 1 == kBackwardSteps) break; // the last step's kept is not needed
            for (size_t i = 0; i < n; ++i)
            {
                const float gain = std::max(ratio[i] / (1.0f + ratio[i]), floor);
                kept[i] = gain * gain * power[i];
            }
        }
        for (size_t i = 0; i < n; ++i)
        {
            const float mean = 0.5f * (forward[from + i] + ratio[i]);
            gains[from + i] = std::max(floor, mean / (1.0f + mean));
        }
    }
}

} // namespace companion
