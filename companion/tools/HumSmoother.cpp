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

bool HumSmoother::push(const HumTracker::Hop& hop)
{
    double turn = 0.0;
    if (!hops_.empty())
    {
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
        if (weights > 0.0 && hop.weight > 0.0 && before.weight > 0.0)
            turn = std::min(std::max(weighted / weights, -kMostTurn), kMostTurn);
    }
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
    const size_t count = hops_.size();
    const size_t centre = count - 1 - half_;
    const size_t offset = window_.size() - count; // window index of hops_[0]
    std::vector<double> drift(count, 0.0);        // relative to the centre
    for (size_t i = centre + 1; i < count; ++i)
        drift[i] = drift[i - 1] + turns_[i];
    for (size_t i = centre; i-- > 0;)
        drift[i] = drift[i + 1] - turns_[i + 1];
    const size_t harmonics = hop.amplitude.size();
    // Each hop turned back into the centre's frame, and the plain weighted mean.
    turned_.assign(count * harmonics, {});
    std::vector<double> weight(count, 0.0);
    for (size_t i = 0; i < count; ++i)
    {
        weight[i] = window_[offset + i] * hops_[i].weight;
        const std::complex<double> back = std::polar(1.0, -drift[i]);
        std::complex<double> rotor = back;
        for (size_t k = 0; k < harmonics; ++k)
        {
            turned_[i * harmonics + k] = std::complex<double>(hops_[i].amplitude[k]) * rotor;
            rotor *= back;
        }
    }
    double total = 0.0;
    double squares = 0.0;
    for (double w : weight)
    {
        total += w;
        squares += w * w;
    }
    centre_.share = total > 0.0 ? squares / (total * total) : 1.0;
    std::vector<std::complex<double>> mean(harmonics);
    for (size_t k = 0; k < harmonics; ++k)
    {
        std::complex<double> sum = 0.0;
        double weights = 0.0;
        for (size_t i = 0; i < count; ++i)
        {
            sum += weight[i] * turned_[i * harmonics + k];
            weights += weight[i];
        }
        mean[k] = weights > 0.0 ? sum / weights : 0.0;
        // Hops that stray far from it (a word or a note passing through the harmonic) are
        // leaned away from, so the mean rests on the hops where the hum stands alone.
        for (int pass = 0; pass < robustPasses_; ++pass)
        {
            misses_.clear();
            for (size_t i = 0; i < count; ++i)
                if (weight[i] > 0.0)
                    misses_.push_back(std::norm(turned_[i * harmonics + k] - mean[k]));
            if (misses_.empty()) break;
            std::nth_element(misses_.begin(), misses_.begin() + misses_.size() / 2, misses_.end());
            const double scale = misses_[misses_.size() / 2] + 1e-30;
            sum = 0.0;
            weights = 0.0;
            for (size_t i = 0; i < count; ++i)
            {
                const double ratio = std::norm(turned_[i * harmonics + k] - mean[k]) / scale;
                const double w = weight[i] / ((1.0 + ratio) * (1.0 + ratio));
                sum += w * turned_[i * harmonics + k];
                weights += w;
            }
            mean[k] = weights > 0.0 ? sum / weights : 0.0;
        }
    }
    centre_.hop = hops_[centre];
    centre_.steady.resize(harmonics);
    for (size_t k = 0; k < harmonics; ++k)
        centre_.steady[k] = std::complex<float>(mean[k]);
    return true;
}

} // namespace companion
