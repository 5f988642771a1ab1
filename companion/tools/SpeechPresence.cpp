#include "SpeechPresence.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace companion
{

namespace
{
constexpr float kPresentRatio = SpeechPresence::kPresentRatio;
constexpr float kAbsentOdds = 1.0f + kPresentRatio;
constexpr float kPresentShare = kPresentRatio / (1.0f + kPresentRatio);
constexpr float kLeastNoise = SpeechPresence::kLeastNoise;
// Where speech has seemed present this long without a break, the noise may have risen
// under it: the estimate is let to move a little even then.
constexpr float kStuckPresence = 0.99f;

// Eight floats side by side (GCC's and Clang's vector extension): the estimator's step
// runs over every bin of every frame and the compiler does not vectorise it alone. Where
// the processor has AVX2 the step runs eight lanes at once, else as two halves of four.
constexpr size_t kLanes = 8;
typedef float Lanes __attribute__((vector_size(4 * kLanes)));
typedef int32_t LaneInts __attribute__((vector_size(4 * kLanes)));

// One step of the speech presence estimator on kLanes bins: their noise power expected
// given the probability that speech is present, from the power and the averaged noise,
// which it then updates, as does the smoothed presence. In five parts, each run over a
// stretch of bins before the next, through buffers on the stack: in one piece a step is one
// long chain of dependent operations (two divisions among them), and too few bins' chains
// fit in the processor's window at once to keep it busy. The operations are the same, in
// the same order for each bin. No vector crosses a call: the code of each target keeps its
// own vector registers.

// The power over the averaged noise.
inline void ratioLanes(const float* power, const float* averaged, float* ratio)
{
    const Lanes zero = {};
    Lanes p, noise;
    std::memcpy(&p, power, sizeof p);
    std::memcpy(&noise, averaged, sizeof noise);
    const Lanes r = p / (noise > 0.0f ? noise : zero + kLeastNoise);
    std::memcpy(ratio, &r, sizeof r);
}

// e^-x for x >= 0, to about 1e-4 relative: 2^(integer part) from the float's exponent bits,
// 2^(fraction) from a polynomial. First, from the ratio (in its place), the fraction and
// 2^-(integer part) (in `scale`), with x the ratio times kPresentShare.
inline void splitLanes(float* ratioThenFraction, float* scale)
{
    const Lanes zero = {};
    Lanes ratio;
    std::memcpy(&ratio, ratioThenFraction, sizeof ratio);
    const Lanes x = ratio * kPresentShare;
    Lanes y = x * 1.442695041f; // -log2 of the result, >= 0
    y = y < 126.0f ? y : zero + 126.0f;
    const LaneInts whole = __builtin_convertvector(y, LaneInts); // its floor
    const Lanes f = __builtin_convertvector(whole, Lanes) - y;   // in (-1, 0]
    const LaneInts bits = (127 - whole) << 23;
    std::memcpy(ratioThenFraction, &f, sizeof f);
    std::memcpy(scale, &bits, sizeof bits); // a float's bits
}

// Then the probability that speech is present (in the fraction's place).
inline void presentLanes(float* fractionThenPresent, const float* scale)
{
    Lanes f, power2;
    std::memcpy(&f, fractionThenPresent, sizeof f);
    std::memcpy(&power2, scale, sizeof power2);
    const Lanes poly =
        1.0f + f * (0.6931472f + f * (0.2402265f + f * (0.05550411f + f * 0.009618129f)));
    const Lanes e = poly * power2;
    const Lanes present = 1.0f / (1.0f + kAbsentOdds * e);
    std::memcpy(fractionThenPresent, &present, sizeof present);
}

// Then the smoothed presence, and the probability (in its place) held under kStuckPresence
// where speech has seemed present too long.
inline void smoothLanes(float* probability, float* presence, float presenceAveraging)
{
    const Lanes zero = {};
    Lanes present, before;
    std::memcpy(&present, probability, sizeof present);
    std::memcpy(&before, presence, sizeof before);
    const Lanes smoothed = presenceAveraging * before + (1.0f - presenceAveraging) * present;
    const Lanes capped = present < kStuckPresence ? present : zero + kStuckPresence;
    present = smoothed > kStuckPresence ? capped : present;
    std::memcpy(presence, &smoothed, sizeof smoothed);
    std::memcpy(probability, &present, sizeof present);
}

// Last, the expected noise and the averaged noise.
inline void updateLanes(const float* probability, const float* power, float* averaged,
                        float* expected, float noiseAveraging)
{
    const Lanes zero = {};
    Lanes present, p, noise;
    std::memcpy(&present, probability, sizeof present);
    std::memcpy(&p, power, sizeof p);
    std::memcpy(&noise, averaged, sizeof noise);
    const Lanes value = present * noise + (1.0f - present) * p;
    Lanes next = noiseAveraging * noise + (1.0f - noiseAveraging) * value;
    next = next > kLeastNoise ? next : zero + kLeastNoise;
    std::memcpy(expected, &value, sizeof value);
    std::memcpy(averaged, &next, sizeof next);
}
} // namespace

// The step over bins [0, count), kLanes at a time, each part over up to kStaged vectors of
// bins before the next; the last few bins as if the powers beyond were 0 (their results
// are dropped).
__attribute__((target_clones("avx2", "default"))) void
SpeechPresence::step(const float* power, float* averaged, float* presence, float* expected,
                     size_t count, float noiseAveraging, float presenceAveraging)
{
    constexpr size_t kStaged = 32;
    alignas(32) float staged[kStaged * kLanes];
    alignas(32) float scales[kStaged * kLanes];
    const size_t whole = count - count % kLanes;
    for (size_t from = 0; from < whole; from += kStaged * kLanes)
    {
        const size_t bins = std::min(kStaged * kLanes, whole - from);
        for (size_t i = 0; i < bins; i += kLanes)
            ratioLanes(power + from + i, averaged + from + i, staged + i);
        for (size_t i = 0; i < bins; i += kLanes)
            splitLanes(staged + i, scales + i);
        for (size_t i = 0; i < bins; i += kLanes)
            presentLanes(staged + i, scales + i);
        for (size_t i = 0; i < bins; i += kLanes)
            smoothLanes(staged + i, presence + from + i, presenceAveraging);
        for (size_t i = 0; i < bins; i += kLanes)
            updateLanes(staged + i, power + from + i, averaged + from + i, expected + from + i,
                        noiseAveraging);
    }
    if (whole == count) return;
    const size_t n = count - whole;
    float in[3][kLanes] = {};
    float out[kLanes];
    for (size_t k = 0; k < n; ++k)
    {
        in[0][k] = power[whole + k];
        in[1][k] = averaged[whole + k];
        in[2][k] = presence[whole + k];
    }
    alignas(32) float probability[kLanes];
    alignas(32) float scale[kLanes];
    ratioLanes(in[0], in[1], probability);
    splitLanes(probability, scale);
    presentLanes(probability, scale);
    smoothLanes(probability, in[2], presenceAveraging);
    updateLanes(probability, in[0], in[1], out, noiseAveraging);
    for (size_t k = 0; k < n; ++k)
    {
        presence[whole + k] = in[2][k];
        expected[whole + k] = out[k];
        averaged[whole + k] = in[1][k];
    }
}

} // namespace companion
