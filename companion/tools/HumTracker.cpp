#include "HumTracker.h"

#include <algorithm>
#include <cmath>

namespace companion
{

namespace
{
constexpr double kPi = 3.14159265358979323846;
// Of the fundamental, around the nominal mains: a generator or a weak grid wanders by half
// a hertz, and the reference lags a little behind; no equal-tempered note lies within it
// of harmonics 1 to 3 (the nearest, G1 at 49.0 Hz and G2, D3 likewise, are a hertz off).
constexpr double kMaxDriftHz = 0.7;
constexpr double kTurnMemory = 0.7; // per hop: the turns are averaged over about 0.3 s
constexpr double kSteer = 0.5;      // share of the measured frequency error corrected per hop
} // namespace

double HumTracker::gridGain(size_t k)
{
    const double x = kPi * static_cast<double>(k) / kGrid;
    const double s = x == 0.0 ? 1.0 : std::sin(x) / x;
    return s * s;
}

HumTracker::HumTracker(double mainsHz, size_t harmonics, double sampleRate, double hopSeconds)
    : mainsHz_(mainsHz), harmonics_(std::min(harmonics, kGrid / 2 - 1)), sampleRate_(sampleRate),
      hop_(std::max<size_t>(1, static_cast<size_t>(std::lround(hopSeconds * sampleRate)))),
      fft_(kGrid), rising_(kGrid + 1, 0.0f), falling_(kGrid + 1, 0.0f), pending_(kGrid + 1, 0.0f),
      hz_(mainsHz), previous_(harmonics_), turns_(harmonics_), magnitudes_(harmonics_, 0.0)
{
    current_.hz = hz_;
    current_.seconds = static_cast<double>(hop_) / sampleRate_;
}

size_t HumTracker::feed(const float* in, size_t count, size_t real)
{
    ready_ = false;
    const size_t take = std::min(count, hop_ - filled_);
    const double step = hz_ / sampleRate_;
    const float slope = 1.0f / static_cast<float>(hop_);
    double phase = phase_;
    for (size_t i = 0; i < take; ++i)
    {
        const double at = phase * kGrid;
        const size_t b = static_cast<size_t>(at);
        const float f = static_cast<float>(at - static_cast<double>(b));
        const float up = (static_cast<float>(filled_ + i) + 0.5f) * slope;
        const float rising = in[i] * up;
        const float falling = in[i] - rising;
        rising_[b] += rising * (1.0f - f);
        rising_[b + 1] += rising * f;
        falling_[b] += falling * (1.0f - f);
        falling_[b + 1] += falling * f;
        if (filled_ + i < real) realRising_ += up, realFalling_ += 1.0 - up;
        phase += step;
        if (phase >= 1.0) phase -= 1.0;
    }
    phase_ = phase;
    filled_ += take;
    if (filled_ == hop_) finishHop();
    return take;
}

void HumTracker::finishHop()
{
    // The triangle over the previous hop's rising half and this one's falling half: a
    // measurement centred on this hop's start, whose window joins its neighbours' smoothly.
    float* time = fft_.time();
    for (size_t b = 0; b < kGrid; ++b)
        time[b] = pending_[b] + falling_[b];
    time[0] += pending_[kGrid] + falling_[kGrid];
    pending_.swap(rising_);
    std::fill(rising_.begin(), rising_.end(), 0.0f);
    std::fill(falling_.begin(), falling_.end(), 0.0f);
    fft_.forward();
    const std::complex<float>* spectrum = fft_.spectrum();
    const double real = pendingReal_ + realFalling_;
    pendingReal_ = realRising_;
    realRising_ = 0.0;
    realFalling_ = 0.0;
    current_.weight = real / static_cast<double>(hop_);
    current_.amplitude.resize(harmonics_);
    const double scale = real > 0.0 ? 2.0 / real : 0.0;
    for (size_t k = 1; k <= harmonics_; ++k)
        current_.amplitude[k - 1] =
            std::complex<float>(scale / gridGain(k) * std::complex<double>(spectrum[k]));

    steer();
    last_ = current_;
    ready_ = true;
    current_.startPhase = phase_;
    current_.hz = hz_;
    filled_ = 0;
}

// Each low harmonic's turn per hop, averaged, tells how far the reference is off; the
// steadier its turn (the nearer its average comes to its magnitude), the more it counts.
void HumTracker::steer()
{
    const size_t steered = trust_.empty() ? std::min(kSteered, harmonics_) : harmonics_;
    current_.steadiness.assign(steered, 0.0f);
    double weighted = 0.0;
    double weights = 0.0;
    const double hopSeconds = static_cast<double>(hop_) / sampleRate_;
    for (size_t k = 1; k <= steered; ++k)
    {
        const std::complex<double> now(current_.amplitude[k - 1]);
        const std::complex<double> turn = now * std::conj(previous_[k - 1]);
        turns_[k - 1] = kTurnMemory * turns_[k - 1] + turn;
        magnitudes_[k - 1] = kTurnMemory * magnitudes_[k - 1] + std::abs(turn);
        previous_[k - 1] = now;
        const double coherence = std::abs(turns_[k - 1]) / (magnitudes_[k - 1] + 1e-30);
        // Known hum harmonics count by how clearly they stand, but less while something
        // passing through them (a word, a note) makes their turns disagree.
        const double agreement = coherence * coherence * coherence * coherence;
        const double w = trust_.empty()
                             ? std::abs(turns_[k - 1]) * k * agreement
                             : (k <= trust_.size() ? trust_[k - 1] * k * k * agreement : 0.0);
        // A line that would put the mains outside its range is a note, not the hum.
        const double error = std::arg(turns_[k - 1]) / (2.0 * kPi * k * hopSeconds);
        const bool inRange = std::fabs(hz_ + error - mainsHz_) <= kMaxDriftHz;
        const double counted = inRange ? w : 0.0;
        current_.steadiness[k - 1] = static_cast<float>(counted);
        weighted += counted * error;
        weights += counted;
    }
    if (weights > 0.0) hz_ += kSteer * weighted / weights;
    hz_ = std::min(std::max(hz_, mainsHz_ - kMaxDriftHz), mainsHz_ + kMaxDriftHz);
}

} // namespace companion
