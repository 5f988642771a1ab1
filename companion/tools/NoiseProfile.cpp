#include "NoiseProfile.h"

#include "RoughLog2.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <new>

namespace companion
{

namespace
{
// Powers from 2^-kLowestOctave up to 2^(kOctaves - kLowestOctave): a full-scale sine in a
// 4096-point frame reaches about 2^22, anything under 2^-70 is rounding.
constexpr int kLowestOctave = 70;
constexpr int kOctaves = 110;
constexpr int kClasses = kOctaves * NoiseProfile::kClassesPerOctave;
// A bin's row of counts: first a place for what is not counted (class -1), then the classes.
constexpr size_t kRow = kClasses + 1;
constexpr double kSilentFrame = 1e-18; // total power of a frame that counts as silence
constexpr int kMaxIterations = 60;
constexpr double kLowShare = 0.1;
constexpr double kConverged = 1e-3;                // relative change of a bin's estimate
constexpr double kEulerGamma = 0.5772156649015329; // minus the mean log of exponential noise
// A bin that looked like noise in fewer of the frames than this is held by something steady
// that is not noise (a held note's partials): the few frames counted there are that sound.
constexpr double kRareShare = 0.2;
constexpr double kSteadyLine = 0.45; // nepers of mean log over noise's

// The classes are laid on a piecewise-linear log2, so that they have clean edges and centres
// without a log per bin.
int classOf(float power)
{
    if (!(power > 0.0f)) return 0;
    const float octave = static_cast<float>(roughLog2(power) + kLowestOctave);
    const int cls = static_cast<int>(octave * NoiseProfile::kClassesPerOctave);
    return std::clamp(cls, 0, kClasses - 1);
}

double centreOf(int cls)
{
    const double octave = (cls + 0.5) / NoiseProfile::kClassesPerOctave;
    const double whole = std::floor(octave);
    return std::ldexp(1.0 + (octave - whole), static_cast<int>(whole) - kLowestOctave);
}

const double kSpeechRatio = std::pow(10.0, NoiseProfile::kSpeechOverNoiseDb / 10.0);

// The exponent of the odds of noise alone in a frame of `power` over noise `noise`; past
// kCertainExponent speech is certain (the odds under 1e-15). It rises with the power.
double speechExponent(double power, double noise)
{
    return power / noise * kSpeechRatio / (1.0 + kSpeechRatio);
}
constexpr double kCertainExponent = 38.0;

// The likelihood of speech in a frame of `power` over noise `noise`: speech kSpeechOverNoise
// above the noise and noise alone equally likely beforehand.
double speechPresence(double power, double noise)
{
    const double ratio = kSpeechRatio;
    // Far over the noise, speech for certain; nearer, in single precision: what the fit
    // needs, at half the cost of the double exponential.
    const double exponent = speechExponent(power, noise);
    if (exponent > kCertainExponent) return 1.0;
    return 1.0 /
           (1.0 + (1.0 + ratio) * static_cast<double>(std::exp(static_cast<float>(-exponent))));
}

// The sum of the powers not below 0, in four vectors of four sums side by side so that the
// additions do not wait on one another; whether any was below 0 in *withheld. Only compared
// with the silence threshold.
typedef float FourFloats __attribute__((vector_size(16)));
typedef double FourDoubles __attribute__((vector_size(32)));
typedef int32_t FourInts __attribute__((vector_size(16)));
__attribute__((target_clones("avx2", "default"))) double countedEnergy(const float* power,
                                                                       size_t count, bool* withheld)
{
    constexpr size_t kSums = 4; // of four lanes each
    const FourFloats zero = {};
    FourDoubles sums[kSums] = {};
    FourInts below = {};
    size_t i = 0;
    for (; i + 4 * kSums <= count; i += 4 * kSums)
        for (size_t k = 0; k < kSums; ++k)
        {
            FourFloats x;
            std::memcpy(&x, power + i + 4 * k, sizeof x);
            below |= x < zero;
            sums[k] += __builtin_convertvector(x > zero ? x : zero, FourDoubles);
        }
    double total = 0.0;
    int any = 0;
    for (; i < count; ++i)
    {
        total += std::max(0.0f, power[i]);
        any |= power[i] < 0.0f;
    }
    for (size_t j = 0; j < 4; ++j)
    {
        for (size_t k = 0; k < kSums; ++k)
            total += sums[k][j];
        any |= below[j];
    }
    *withheld = any != 0;
    return total;
}

// The classes of `count` powers, -1 where a power is negative (not counted); four at once
// where the processor has AVX2.
__attribute__((target_clones("avx2", "default"))) void
classesOf(const float* __restrict power, int16_t* __restrict classes, size_t count)
{
    for (size_t b = 0; b < count; ++b)
        classes[b] = static_cast<int16_t>(power[b] >= 0.0f ? classOf(power[b]) : -1);
}

} // namespace

struct NoiseProfile::Bin
{
    std::vector<double> power;
    std::vector<double> count;
    double total = 0.0;
};

namespace
{
// The expectation step's sum over a bin's classes, count × ((1 - p) power + p noise) with p
// speechPresence(), in class order. From the first class where speech is certain on (the
// classes rise, and so does the exponent), each term is count × noise, with no exponential
// or division to work out.
__attribute__((target_clones("avx2", "default"))) double
expectedNoiseSum(const double* power, const double* count, size_t size, double noise)
{
    const size_t certain = static_cast<size_t>(
        std::partition_point(power, power + size,
                             [noise](double p)
                             { return !(speechExponent(p, noise) > kCertainExponent); }) -
        power);
    // Four classes' terms at once (each worked out as speechPresence() does it, the
    // exponentials one by one), added in order.
    typedef double Four __attribute__((vector_size(32)));
    const double ratio = kSpeechRatio;
    double sum = 0.0;
    size_t c = 0;
    for (; c + 4 <= certain; c += 4)
    {
        Four level, frames;
        std::memcpy(&level, power + c, sizeof level);
        std::memcpy(&frames, count + c, sizeof frames);
        const Four exponent = level / noise * ratio / (1.0 + ratio);
        Four e;
        for (size_t j = 0; j < 4; ++j)
            e[j] = static_cast<double>(std::exp(static_cast<float>(-exponent[j])));
        const Four speech = 1.0 / (1.0 + (1.0 + ratio) * e);
        const Four term = frames * ((1.0 - speech) * level + speech * noise);
        for (size_t j = 0; j < 4; ++j)
            sum += term[j];
    }
    for (; c < certain; ++c)
    {
        const double p = speechPresence(power[c], noise);
        sum += count[c] * ((1.0 - p) * power[c] + p * noise);
    }
    for (; c < size; ++c)
        sum += count[c] * noise;
    return sum;
}
} // namespace

NoiseProfile::NoiseProfile(size_t bins)
    : bins_(bins), counts_(static_cast<uint32_t*>(
                       std::calloc(std::max<size_t>(1, bins * kRow), sizeof(uint32_t)))),
      pending_(kPendingFrames * bins, -1), pendingFrom_(bins)
{
    if (!counts_) throw std::bad_alloc();
    static_assert(kClasses <= INT16_MAX, "a class fits a pending frame's entry");
}

void NoiseProfile::addFrame(const float* power)
{
    bool withheld = false; // bins that held something else: the frame was not silent
    const double energy = countedEnergy(power, bins_, &withheld);
    if (!withheld && energy < kSilentFrame) return;
    ++seen_;
    if (energy < kSilentFrame) return;
    // The classes now, in a loop that vectorises; the counts with the frames pending. Only
    // the bins from the first counted to the last are classed and counted: those outside
    // are often a whole stretch left out of the band judged.
    size_t from = 0;
    size_t end = bins_;
    while (from < end && power[from] < 0.0f)
        ++from;
    while (end > from && power[end - 1] < 0.0f)
        --end;
    int16_t* classes = pending_.data() + pendingFrames_ * bins_;
    std::fill(classes, classes + from, int16_t{-1});
    classesOf(power + from, classes + from, end - from);
    std::fill(classes + end, classes + bins_, int16_t{-1});
    pendingFrom_ = std::min(pendingFrom_, from);
    pendingEnd_ = std::max(pendingEnd_, end);
    ++frames_;
    if (++pendingFrames_ == kPendingFrames) settle();
}

void NoiseProfile::settle() const
{
    // A bin's counts over the pending frames are one chain of increments to a few places,
    // each waiting on the one before: eight bins' chains run side by side. What is not
    // counted (class -1) goes to the place before the row's classes: no branch to mispredict.
    constexpr size_t kSide = 8;
    uint32_t* __restrict counts = counts_.get() + 1;
    const int16_t* __restrict pending = pending_.data();
    auto count = [&](size_t first, size_t side)
    {
        for (size_t f = 0; f < pendingFrames_; ++f)
        {
            const int16_t* classes = pending + f * bins_ + first;
            for (size_t j = 0; j < side; ++j)
                ++counts[static_cast<std::ptrdiff_t>((first + j) * kRow) + classes[j]];
        }
    };
    const size_t end = std::max(pendingFrom_, pendingEnd_);
    const size_t whole = end - (end - pendingFrom_) % kSide;
    for (size_t first = pendingFrom_; first < whole; first += kSide)
        count(first, kSide);
    if (whole < end) count(whole, end - whole);
    pendingFrames_ = 0;
    pendingFrom_ = bins_;
    pendingEnd_ = 0;
}

NoiseProfile::Bin NoiseProfile::occupied(size_t bin) const
{
    if (pendingFrames_ > 0) settle();
    Bin result;
    const uint32_t* counts = &counts_[bin * kRow + 1];
    for (int cls = 0; cls < kClasses; ++cls)
    {
        if (counts[cls] == 0) continue;
        result.power.push_back(centreOf(cls));
        result.count.push_back(counts[cls]);
        result.total += counts[cls];
    }
    return result;
}

double NoiseProfile::noiseOf(const Bin& bin)
{
    // Start from below, where stationary noise puts its quietest tenth (at 0.105 of its
    // mean), and climb to the nearest fixed point: a steady tone present through most of
    // the signal is not taken for noise.
    double share = 0.0;
    size_t low = 0;
    while (low + 1 < bin.power.size() && (share += bin.count[low]) < kLowShare * bin.total)
        ++low;
    double noise = bin.power[low] / -std::log1p(-kLowShare);
    // Each frame's expected noise power: all of it when noise alone, else the estimate.
    auto step = [&](double estimate)
    {
        return expectedNoiseSum(bin.power.data(), bin.count.data(), bin.power.size(), estimate) /
               bin.total;
    };
    // The climb (or the descent, from a start over the point) slows as it nears the
    // point, so each step goes as far as the secant through the last two points says,
    // at most twice as far up or down, and never short of the plain step: the step's map
    // rises with the estimate, so the plain step never passes the point. Once a step has
    // passed it, the point is bracketed and the false-position method (Illinois) closes in;
    // within a factor of two there is room for one fixed point only.
    double below = 0.0, belowRise = 0.0, above = 0.0, aboveRise = 0.0; // 0: no bound yet
    double previous = 0.0, previousRise = 0.0;
    int side = 0; // which bound moved last, for Illinois's halving
    for (int evaluation = 0; evaluation < kMaxIterations; ++evaluation)
    {
        const double next = step(noise);
        const double rise = next - noise;
        if (std::fabs(rise) <= kConverged * noise) return next;
        if (rise > 0.0)
        {
            if (side > 0) aboveRise *= 0.5;
            below = noise, belowRise = rise, side = 1;
        }
        else
        {
            if (side < 0) belowRise *= 0.5;
            above = noise, aboveRise = rise, side = -1;
        }
        double guess = next;
        if (below > 0.0 && above > 0.0)
            guess = below + (above - below) * belowRise / (belowRise - aboveRise);
        else if (previous > 0.0 && previousRise != rise)
        {
            const double secant = noise - rise * (noise - previous) / (rise - previousRise);
            guess = rise > 0.0 ? std::clamp(secant, next, 2.0 * noise)
                               : std::clamp(secant, 0.5 * noise, next);
        }
        previous = noise, previousRise = rise;
        noise = guess;
    }
    return noise;
}

void NoiseProfile::boundRareBins(const std::vector<char>& rare, std::vector<float>& noise)
{
    // A rare bin's noise is at most that of the nearest bins either side where noise was
    // learnt from enough frames, and nothing where there are none.
    const size_t bins = noise.size();
    float below = -1.0f;
    std::vector<float> above(bins, -1.0f);
    for (size_t i = bins; i-- > 0;)
        above[i] = !rare[i] && noise[i] > 0.0f ? noise[i] : (i + 1 < bins ? above[i + 1] : -1.0f);
    for (size_t i = 0; i < bins; ++i)
    {
        if (!rare[i])
        {
            if (noise[i] > 0.0f) below = noise[i];
            continue;
        }
        float bound = std::min(below < 0.0f ? above[i] : below, above[i] < 0.0f ? below : above[i]);
        noise[i] = std::min(noise[i], std::max(0.0f, bound));
    }
}

NoiseProfile::Estimate NoiseProfile::estimate(size_t firstFitBin, size_t endFitBin,
                                              bool fitOnly) const
{
    Estimate result;
    if (frames_ == 0) return result;
    result.noise.resize(bins_);
    result.logSums.assign(bins_, 0.0);
    result.weights.assign(bins_, 0.0);
    std::vector<char> rare(bins_, 0);
    double logSum = 0.0;
    for (size_t i = fitOnly ? firstFitBin : 0; i < (fitOnly ? std::min(endFitBin, bins_) : bins_);
         ++i)
    {
        const Bin bin = occupied(i);
        if (bin.power.empty()) continue; // never seen as noise: nothing to remove there
        rare[i] = bin.total < kRareShare * static_cast<double>(seen_);
        const double noise = noiseOf(bin);
        double binLogSum = 0.0;
        double binFrames = 0.0;
        for (size_t c = 0; c < bin.power.size(); ++c)
        {
            const double weight = bin.count[c] * (1.0 - speechPresence(bin.power[c], noise));
            binLogSum += weight * std::log(bin.power[c] / noise);
            binFrames += weight;
        }
        result.noise[i] = static_cast<float>(noise);
        // Powers that barely move from frame to frame are a steady line, not noise: noise's
        // mean log lies kEulerGamma under the log of its mean, a steady line's on it.
        if (binFrames > 0.0 && binLogSum / binFrames + kEulerGamma > kSteadyLine) rare[i] = 1;
        if (i < firstFitBin || i >= endFitBin) continue;
        logSum += binLogSum;
        result.noiseFrames += binFrames;
        result.logSums[i] = binLogSum;
        result.weights[i] = binFrames;
    }
    boundRareBins(rare, result.noise);
    if (result.noiseFrames > 0.0) result.misfit = -(logSum / result.noiseFrames + kEulerGamma);
    return result;
}

double NoiseProfile::misfitOver(const Estimate& estimate, size_t first, size_t end, double* weight)
{
    double logSum = 0.0;
    double total = 0.0;
    for (size_t i = first; i < std::min(end, estimate.weights.size()); ++i)
    {
        logSum += estimate.logSums[i];
        total += estimate.weights[i];
    }
    if (weight) *weight = total;
    return total > 0.0 ? -(logSum / total + kEulerGamma) : 0.0;
}

} // namespace companion
