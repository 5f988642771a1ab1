#include "LowBandStage.h"

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

// Eight sums side by side (GCC's and Clang's vector extension): a single sum would wait on
// each addition in turn. Lanes 0-3 and 4-7 then meet as two vectors of four would; one AVX2
// register holds all eight where the processor has it.
__attribute__((target_clones("avx2", "default"))) float dot(const float* a, const float* b,
                                                             size_t count)
{
    typedef float Eight __attribute__((vector_size(32)));
    Eight sums = {};
    size_t k = 0;
    for (; k + 8 <= count; k += 8)
    {
        Eight x, y;
        std::memcpy(&x, a + k, sizeof x);
        std::memcpy(&y, b + k, sizeof y);
        sums += x * y;
    }
    const float first[4] = {sums[0] + sums[4], sums[1] + sums[5], sums[2] + sums[6],
                            sums[3] + sums[7]};
    float sum = (first[0] + first[1]) + (first[2] + first[3]);
    for (; k < count; ++k)
        sum += a[k] * b[k];
    return sum;
}

// sums += taps * scale over [0, count); eight lanes at once where the processor has AVX2.
__attribute__((target_clones("avx2", "default"))) void addScaled(float* __restrict sums,
                                                                const float* __restrict taps,
                                                                size_t count, float scale)
{
    for (size_t k = 0; k < count; ++k)
        sums[k] += taps[k] * scale;
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
    reset();
}

size_t LowBandStage::decimate(const float* in, size_t count)
{
    // history_ holds the last taps - 1 inputs, then this block's: each decimated sample is
    // the low-pass over the taps inputs ending at every factor_-th one (the taps are
    // symmetric, so their order does not matter).
    const size_t length = taps_.size();
    const size_t kept = length - 1;
    history_.resize(kept + count);
    std::copy(in, in + count, history_.begin() + static_cast<std::ptrdiff_t>(kept));
    decimated_.resize(count / factor_ + 1);
    size_t produced = 0;
    size_t last = factor_ - 1 - phase_; // this block's index of the next sample to keep
    for (; last < count; last += factor_)
        decimated_[produced++] = dot(taps_.data(), history_.data() + last, length);
    phase_ = (phase_ + count) % factor_;
    std::copy(history_.end() - static_cast<std::ptrdiff_t>(kept), history_.end(), history_.begin());
    history_.resize(kept);
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
    // low-pass (gain factor_). Its taps add into the outputs they reach, partial_ holding
    // those from the change before this block on; the first factor_ per change are then
    // complete.
    const size_t length = taps_.size();
    const size_t complete = produced * factor_;
    partial_.resize(complete + length, 0.0f);
    const float gain = static_cast<float>(factor_);
    const float* __restrict taps = taps_.data();
    for (size_t m = 0; m < produced; ++m)
        addScaled(partial_.data() + m * factor_, taps, length,
                  (processed_[m] - decimated_[m]) * gain);
    const auto done = partial_.begin() + static_cast<std::ptrdiff_t>(complete);
    pending_.insert(pending_.end(), partial_.begin(), done);
    std::copy(done, done + static_cast<std::ptrdiff_t>(length), partial_.begin());
    partial_.resize(length);
    dry_.process(in, out, count);
    for (size_t i = 0; i < count; ++i)
        out[i] += pending_[taken_ + i];
    taken_ += count;
    pending_.erase(pending_.begin(), pending_.begin() + static_cast<std::ptrdiff_t>(taken_));
    taken_ = 0;
}

void LowBandStage::reset()
{
    stage_.reset();
    dry_.reset();
    dryLow_.reset();
    history_.assign(taps_.size() - 1, 0.0f);
    partial_.assign(taps_.size(), 0.0f);
    phase_ = 0;
    // The change for an input is ready only once its decimated sample is, up to factor_ - 1
    // inputs later: the interpolated stream starts that far behind.
    pending_.assign(factor_ - 1, 0.0f);
    taken_ = 0;
}

} // namespace companion
