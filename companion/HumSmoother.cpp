#include "HumSmoother.h"

#include <algorithm>
#include <cmath>

namespace companion
{

namespace
{
constexpr double kPi = 3.14159265358979323846;
// The drift the tracker leaves is a lag of a few hundredths of a hertz; a hop-to-hop turn
// beyond 0.1 Hz is a note nearby, not the hum, and is not followed.
constexpr double kMostTurn = 2.0 * kPi * 0.1 * 0.1;

double wrap(double radians)
{
    return std::remainder(radians, 2.0 * kPi);
}
} // namespace

HumSmoother::HumSmoother(size_t halfWidth, int robustPasses)
    : half_(halfWidth), robustPasses_(robustPasses), window_(2 * halfWidth + 1)
{
    for (size_t i = 0; i < window_.size(); ++i)
        window_[i] = std::sin(kPi * (i + 1.0) / (window_.size() + 1.0));
    for (double& w : window_)
        w *= w;
}

double HumSmoother::noiseShare() const
{
    double sum = 0.0;
    double squares = 0.0;
    for (double w : window_)
    {
        sum += w;
        squares += w * w;
    }
    return squares / (sum * sum);
}

// The drift left over from the hop before, pooled over the harmonics that steer: each
// one's turn counted by its steadiness, in radians of the fundamental.
double HumSmoother::turnSince(const HumTracker::Hop& hop) const
{
    if (hops_.empty()) return 0.0;
    const HumTracker::Hop& before = hops_.back();
    double weighted = 0.0;
    double weights = 0.0;
    for (size_t k = 1; k <= hop.steadiness.size(); ++k)
    {
        const double w = hop.steadiness[k - 1];
        if (w <= 0.0) continue;
        const std::complex<double> a(hop.amplitude[k - 1]);
        const std::complex<double> b(before.amplitude[k - 1]);
        weighted += w * wrap(std::arg(a * std::conj(b))) / k;
        weights += w;
    }
    if (weights <= 0.0 || hop.weight <= 0.0 || before.weight <= 0.0) return 0.0;
    return std::min(std::max(weighted / weights, -kMostTurn), kMostTurn);
}

bool HumSmoother::push(const HumTracker::Hop& hop)
{
    const double turn = turnSince(hop);
    hops_.push_back(hop);
    turns_.push_back(turn);
    ++pushed_;
    if (hops_.size() > window_.size())
    {
        hops_.pop_front();
        turns_.pop_front();
    }
    if (pushed_ <= half_) return false;
    // The centre is half_ hops back from the newest; with fewer hops before it, the window
    // starts late.
    const size_t centre = hops_.size() - 1 - half_;
    turnBack(centre);
    const size_t harmonics = hop.amplitude.size();
    centre_.hop = hops_[centre];
    centre_.steady.resize(harmonics);
    for (size_t k = 0; k < harmonics; ++k)
        centre_.steady[k] = std::complex<float>(robustMean(k, harmonics));
    return true;
}

// Each hop in the window turned back into the centre's frame by the drift between them,
// with its weight; and the share of white noise the plain mean keeps.
void HumSmoother::turnBack(size_t centre)
{
    const size_t count = hops_.size();
    const size_t offset = window_.size() - count; // window index of hops_[0]
    std::vector<double> drift(count, 0.0);        // relative to the centre
    for (size_t i = centre + 1; i < count; ++i)
        drift[i] = drift[i - 1] + turns_[i];
    for (size_t i = centre; i-- > 0;)
        drift[i] = drift[i + 1] - turns_[i + 1];
    const size_t harmonics = hops_[centre].amplitude.size();
    turned_.assign(count * harmonics, {});
    weight_.assign(count, 0.0);
    double total = 0.0;
    double squares = 0.0;
    for (size_t i = 0; i < count; ++i)
    {
        weight_[i] = window_[offset + i] * hops_[i].weight;
        total += weight_[i];
        squares += weight_[i] * weight_[i];
        const std::complex<double> back = std::polar(1.0, -drift[i]);
        std::complex<double> rotor = back;
        for (size_t k = 0; k < harmonics; ++k)
        {
            turned_[i * harmonics + k] = std::complex<double>(hops_[i].amplitude[k]) * rotor;
            rotor *= back;
        }
    }
    centre_.share = total > 0.0 ? squares / (total * total) : 1.0;
}

// The weighted mean of harmonic k over the window; then hops that stray far from it (a
// word or a note passing through the harmonic) are leaned away from, so the mean rests on
// the hops where the hum stands alone.
std::complex<double> HumSmoother::robustMean(size_t k, size_t harmonics)
{
    const size_t count = weight_.size();
    auto mean = [&](auto lean)
    {
        std::complex<double> sum = 0.0;
        double weights = 0.0;
        for (size_t i = 0; i < count; ++i)
        {
            const double w = weight_[i] * lean(turned_[i * harmonics + k]);
            sum += w * turned_[i * harmonics + k];
            weights += w;
        }
        return weights > 0.0 ? sum / weights : std::complex<double>();
    };
    std::complex<double> m = mean([](std::complex<double>) { return 1.0; });
    for (int pass = 0; pass < robustPasses_; ++pass)
    {
        misses_.clear();
        for (size_t i = 0; i < count; ++i)
            if (weight_[i] > 0.0) misses_.push_back(std::norm(turned_[i * harmonics + k] - m));
        if (misses_.empty()) break;
        std::nth_element(misses_.begin(), misses_.begin() + misses_.size() / 2, misses_.end());
        const double scale = misses_[misses_.size() / 2] + 1e-30;
        m = mean(
            [&](std::complex<double> v)
            {
                const double ratio = std::norm(v - m) / scale;
                return 1.0 / ((1.0 + ratio) * (1.0 + ratio));
            });
    }
    return m;
}

} // namespace companion
