#include "LowBandStage.h"

#include "BinKernels.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace companion
{

namespace
{
constexpr double kPi = 3.14159265358979323846;
constexpr size_t kTapsPerFactor = 8; // a transition about 0.7 of the decimated rate wide
constexpr double kRoomOverBand = 8.0;

typedef float Eight __attribute__((vector_size(32)));
// The taps' rows by phase (see interpolate), the last holding only the last tap.
constexpr size_t kRows = kTapsPerFactor + 1;

// A vector of eight sums, reduced as a single sum over the taps from `k` on continues it:
// lanes 0-3 and 4-7 meet as two vectors of four would, then in pairs.
inline float finish(const Eight& sums, const float* taps, const float* x, size_t k, size_t count)
{
    const float first[4] = {sums[0] + sums[4], sums[1] + sums[5], sums[2] + sums[6],
                            sums[3] + sums[7]};
    float sum = (first[0] + first[1]) + (first[2] + first[3]);
    // Most often one left (taps = kTapsPerFactor * factor + 1): no loop set up for it.
    if (count == k + 1) return sum + taps[k] * x[k];
    for (; k < count; ++k)
        sum += taps[k] * x[k];
    return sum;
}

// The dot product of the taps with the `count` inputs from `x`, in eight sums side by side
// (GCC's and Clang's vector extension): a single sum would wait on each addition in turn.
float dot(const float* taps, const float* x, size_t count)
{
    Eight sums = {};
    size_t k = 0;
    for (; k + 8 <= count; k += 8)
    {
        Eight t, y;
        std::memcpy(&t, taps + k, sizeof t);
        std::memcpy(&y, x + k, sizeof y);
        sums += t * y;
    }
    return finish(sums, taps, x, k, count);
}

// Eight decimated samples at once, each summed as dot() sums it, from inputs `step` apart:
// they share each load of the taps, and each sample's chain of additions runs beside seven
// others. One AVX2 register holds each vector of eight where the processor has it.
__attribute__((target_clones("avx2", "default"))) void
dotEight(const float* taps, const float* x, size_t step, size_t count, float* out)
{
    const float* x1 = x + step;
    const float* x2 = x1 + step;
    const float* x3 = x2 + step;
    const float* x4 = x3 + step;
    const float* x5 = x4 + step;
    const float* x6 = x5 + step;
    const float* x7 = x6 + step;
    Eight s0 = {}, s1 = {}, s2 = {}, s3 = {}, s4 = {}, s5 = {}, s6 = {}, s7 = {};
    size_t k = 0;
    for (; k + 8 <= count; k += 8)
    {
        Eight t, y0, y1, y2, y3, y4, y5, y6, y7;
        std::memcpy(&t, taps + k, sizeof t);
        std::memcpy(&y0, x + k, sizeof y0);
        std::memcpy(&y1, x1 + k, sizeof y1);
        std::memcpy(&y2, x2 + k, sizeof y2);
        std::memcpy(&y3, x3 + k, sizeof y3);
        std::memcpy(&y4, x4 + k, sizeof y4);
        std::memcpy(&y5, x5 + k, sizeof y5);
        std::memcpy(&y6, x6 + k, sizeof y6);
        std::memcpy(&y7, x7 + k, sizeof y7);
        s0 += t * y0;
        s1 += t * y1;
        s2 += t * y2;
        s3 += t * y3;
        s4 += t * y4;
        s5 += t * y5;
        s6 += t * y6;
        s7 += t * y7;
    }
    out[0] = finish(s0, taps, x, k, count);
    out[1] = finish(s1, taps, x1, k, count);
    out[2] = finish(s2, taps, x2, k, count);
    out[3] = finish(s3, taps, x3, k, count);
    out[4] = finish(s4, taps, x4, k, count);
    out[5] = finish(s5, taps, x5, k, count);
    out[6] = finish(s6, taps, x6, k, count);
    out[7] = finish(s7, taps, x7, k, count);
}

// The interpolated change (polyphase): output q * factor + p is the sum, from the oldest
// change to the newest, of change q - r times tap p + r * factor. The taps come as kRows
// rows of `factor`, zero past the last tap, which stands alone at the start of the last
// row; changes[1 - kRows, count) are read. Eight phases at once, summed in registers, where
// the processor has AVX2 and the factor has eight.
__attribute__((target_clones("avx2", "default"))) void
interpolate(const float* __restrict changes, size_t count, const float* __restrict table,
            size_t factor, float* __restrict out)
{
    const float lastTap = table[(kRows - 1) * factor];
    if (factor % 8 == 0)
    {
        for (size_t q = 0; q < count; ++q)
        {
            const float* c = changes + q;
            for (size_t p = 0; p < factor; p += 8)
            {
                Eight sum = {};
                if (p == 0) sum[0] = 0.0f + lastTap * c[-static_cast<std::ptrdiff_t>(kRows - 1)];
                for (size_t r = kRows - 1; r-- > 0;)
                {
                    Eight t;
                    std::memcpy(&t, table + r * factor + p, sizeof t);
                    sum += t * c[-static_cast<std::ptrdiff_t>(r)];
                }
                std::memcpy(out + q * factor + p, &sum, sizeof sum);
            }
        }
        return;
    }
    for (size_t q = 0; q < count; ++q)
    {
        const float* c = changes + q;
        for (size_t p = 0; p < factor; ++p)
        {
            float sum = p == 0 ? 0.0f + lastTap * c[-static_cast<std::ptrdiff_t>(kRows - 1)] : 0.0f;
            for (size_t r = kRows - 1; r-- > 0;)
                sum += table[r * factor + p] * c[-static_cast<std::ptrdiff_t>(r)];
            out[q * factor + p] = sum;
        }
    }
}

std::vector<float> lowPass(size_t factor)
{
    // Cut at the decimated Nyquist frequency: flat to about a sixth of the decimated rate,
    // stopped from five sixths of it (Blackman: -74 dB), so that nothing folds under a
    // sixth (the stage's band is under an eighth).
    const size_t count = kTapsPerFactor * factor + 1;
    std::vector<float> taps(count);
    const double centre = 0.5 * static_cast<double>(count - 1);
    const double cutoff = 0.5 / static_cast<double>(factor); // cycles per sample
    double sum = 0.0;
    for (size_t i = 0; i < count; ++i)
    {
        const double t = static_cast<double>(i) - centre;
        const double sinc = t == 0.0 ? 2.0 * cutoff : std::sin(2.0 * kPi * cutoff * t) / (kPi * t);
        const double x = static_cast<double>(i) / static_cast<double>(count - 1);
        const double window = 0.42 - 0.5 * std::cos(2.0 * kPi * x) + 0.08 * std::cos(4.0 * kPi * x);
        taps[i] = static_cast<float>(sinc * window);
        sum += taps[i];
    }
    for (float& tap : taps)
        tap = static_cast<float>(tap / sum);
    return taps;
}
} // namespace

size_t LowBandStage::factorFor(double sampleRate, double highestHz)
{
    size_t factor = 1;
    while (sampleRate / static_cast<double>(2 * factor) >= kRoomOverBand * highestHz)
        factor *= 2;
    return factor;
}

LowBandStage::LowBandStage(DenoiseStage::Strength strength, double sampleRate, size_t frameSize,
                           size_t firstBin, size_t lastBin, size_t trackFrames)
    : factor_(factorFor(sampleRate, static_cast<double>(lastBin + 1) * sampleRate /
                                        static_cast<double>(frameSize))),
      taps_(lowPass(factor_)),
      stage_(strength, frameSize / factor_, firstBin, lastBin, trackFrames),
      // The low-pass delays by (taps - 1) / 2 on the way down and again on the way up.
      delay_(taps_.size() - 1 + stage_.latency() * factor_), dry_(delay_),
      dryLow_(stage_.latency())
{
    // The taps by phase for the interpolation, a row per decimated sample back: the last
    // tap (taps = kTapsPerFactor * factor + 1) stands alone in the last row.
    table_.assign(kRows * factor_, 0.0f);
    std::copy(taps_.begin(), taps_.end(), table_.begin());
    reset();
}

size_t LowBandStage::decimate(const float* in, size_t count)
{
    // Each decimated sample is the low-pass over the taps inputs ending at every factor_-th
    // one (the taps are symmetric, so their order does not matter). Those that reach back
    // before this block read edge_: the taps - 1 inputs before it, then its first ones.
    const size_t length = taps_.size();
    const size_t kept = length - 1;
    const float* taps = taps_.data();
    const size_t head = std::min(count, kept);
    std::copy(in, in + head, edge_.begin() + static_cast<std::ptrdiff_t>(kept));
    decimated_.resize(count / factor_ + 1);
    float* decimated = decimated_.data();
    size_t produced = 0;
    size_t last = factor_ - 1 - phase_; // this block's index of the next sample to keep
    for (; last < head; last += factor_)
        decimated[produced++] = dot(taps, edge_.data() + last, length);
    for (; last + 7 * factor_ < count; last += 8 * factor_, produced += 8)
        dotEight(taps, in + (last - kept), factor_, length, decimated + produced);
    for (; last < count; last += factor_)
        decimated[produced++] = dot(taps, in + (last - kept), length);
    phase_ = (phase_ + count) % factor_;
    // The last taps - 1 inputs, for the next block.
    if (count >= kept)
        std::copy(in + (count - kept), in + count, edge_.begin());
    else
        std::copy(edge_.begin() + static_cast<std::ptrdiff_t>(count),
                  edge_.begin() + static_cast<std::ptrdiff_t>(count + kept), edge_.begin());
    return produced;
}

void LowBandStage::analyze(const float* in, size_t count)
{
    const size_t produced = decimate(in, count);
    stage_.analyze(decimated_.data(), produced);
}

NoiseProfile::Estimate LowBandStage::learn(size_t firstFitBin, size_t endFitBin)
{
    NoiseProfile::Estimate estimate = stage_.learn(firstFitBin, endFitBin);
    reset();
    return estimate;
}

void LowBandStage::process(const float* in, float* out, size_t count)
{
    const size_t produced = decimate(in, count);
    processed_.resize(produced);
    stage_.process(decimated_.data(), processed_.data(), produced);
    dryLow_.process(decimated_.data(), decimated_.data(), produced);
    // Each change, interpolated: as if `factor_ - 1` zeros followed it, through the
    // low-pass (gain factor_). changes_ starts with the changes before this block that
    // still reach into it.
    const size_t before = kRows - 1;
    if (changes_.size() < before + produced) changes_.resize(before + produced);
    const float gain = static_cast<float>(factor_);
    for (size_t m = 0; m < produced; ++m)
        changes_[before + m] = (processed_[m] - decimated_[m]) * gain;
    const size_t made = produced * factor_;
    if (interpolated_.size() < made) interpolated_.resize(made);
    interpolate(changes_.data() + before, produced, table_.data(), factor_, interpolated_.data());
    std::copy(changes_.begin() + static_cast<std::ptrdiff_t>(produced),
              changes_.begin() + static_cast<std::ptrdiff_t>(produced + before), changes_.begin());
    // Each output is the input delayed plus its change. The interpolated stream runs behind
    // the input: what pending_ holds goes first, and what this block's outputs do not reach
    // waits there for the next. The changes go out first and the delayed input is added to
    // them, unless the input is read from the same buffer.
    const bool apart = in != out;
    if (!apart) dry_.process(in, out, count);
    const auto handOut = [apart](float* to, const float* change, size_t n)
    {
        if (apart)
            std::copy(change, change + n, to);
        else
            BinKernels::addInto(to, change, n);
    };
    const size_t carried = std::min(pending_.size(), count);
    handOut(out, pending_.data(), carried);
    pending_.erase(pending_.begin(), pending_.begin() + static_cast<std::ptrdiff_t>(carried));
    const size_t direct = pending_.empty() ? std::min(count - carried, made) : 0;
    handOut(out + carried, interpolated_.data(), direct);
    pending_.insert(pending_.end(), interpolated_.begin() + static_cast<std::ptrdiff_t>(direct),
                    interpolated_.begin() + static_cast<std::ptrdiff_t>(made));
    if (apart) dry_.addDelayed(in, out, count);
}

void LowBandStage::reset()
{
    stage_.reset();
    dry_.reset();
    dryLow_.reset();
    edge_.assign(2 * (taps_.size() - 1), 0.0f);
    changes_.assign(kRows - 1, 0.0f);
    phase_ = 0;
    // The change for an input is ready only once its decimated sample is, up to factor_ - 1
    // inputs later: the interpolated stream starts that far behind.
    pending_.assign(factor_ - 1, 0.0f);
}

} // namespace companion
