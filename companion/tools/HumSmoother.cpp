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
// Rounds of correcting each hop's drift by what the hum harmonics say against their means,
// so that the turns' noise does not add up along the window.
constexpr int kPathRounds = 2;
constexpr size_t kPathTerms = 4;
// A hop's correction beyond this is a miss (a note the leaning did not catch), not drift.
constexpr double kMostCorrection = 0.5;
// A short file's level slope is kept only as far as it stands this many variances above
// zero: a slope the words make would cost more than the level change it follows.
constexpr double kSlopeSpreads = 3.0;
constexpr int kClipPasses = 5;

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
    centreIndex_ = centre;
    turnBack(centre);
    const size_t harmonics = hop.amplitude.size();
    std::vector<std::complex<double>> means(harmonics);
    centre_.spread.assign(harmonics, 0.0);
    for (size_t k = 0; k < harmonics; ++k)
        if (steered(k)) means[k] = robustMean(k, harmonics, centre_.spread[k]);
    if (!steer_.empty()) refine(centre, means);
    centre_.hop = hops_[centre];
    centre_.steady.resize(harmonics);
    for (size_t k = 0; k < harmonics; ++k)
        centre_.steady[k] = std::complex<float>(means[k]);
    return true;
}

// Each hop in the window turned back into the centre's frame by the drift between them,
// with its weight; and the share of white noise the plain mean keeps.
void HumSmoother::turnBack(size_t centre)
{
    const size_t count = hops_.size();
    const size_t offset = window_.size() - count; // window index of hops_[0]
    drift_.assign(count, 0.0);                    // relative to the centre
    for (size_t i = centre + 1; i < count; ++i)
        drift_[i] = drift_[i - 1] + turns_[i];
    for (size_t i = centre; i-- > 0;)
        drift_[i] = drift_[i + 1] - turns_[i + 1];
    weight_.assign(count, 0.0);
    double total = 0.0;
    double squares = 0.0;
    for (size_t i = 0; i < count; ++i)
    {
        weight_[i] = window_[offset + i] * hops_[i].weight;
        total += weight_[i];
        squares += weight_[i] * weight_[i];
    }
    centre_.share = total > 0.0 ? squares / (total * total) : 1.0;
    applyDrift();
}

void HumSmoother::applyDrift()
{
    const size_t count = hops_.size();
    const size_t harmonics = hops_.back().amplitude.size();
    turned_.resize(count * harmonics);
    for (size_t i = 0; i < count; ++i)
    {
        // Rotors multiplied out by hand: the library's complex product guards against
        // infinities at a cost this loop, run for every harmonic of every hop, notices.
        const double c = std::cos(drift_[i]);
        const double sn = -std::sin(drift_[i]);
        double re = c;
        double im = sn;
        const size_t n = std::min(harmonics, hops_[i].amplitude.size());
        std::complex<double>* out = &turned_[i * harmonics];
        for (size_t k = 0; k < n; ++k)
        {
            const double a = hops_[i].amplitude[k].real();
            const double b = hops_[i].amplitude[k].imag();
            out[k] = {a * re - b * im, a * im + b * re};
            const double next = re * c - im * sn;
            im = re * sn + im * c;
            re = next;
        }
        for (size_t k = n; k < harmonics; ++k)
            out[k] = 0.0;
    }
}

// Rounds of refinePath(), each followed by the means again, from the plain mean up: a
// round that started from the robust means before would settle further on a note that
// had pulled them.
void HumSmoother::refine(size_t centre, std::vector<std::complex<double>>& means)
{
    const size_t harmonics = means.size();
    for (int round = 0; round < kPathRounds; ++round)
    {
        if (!refinePath(centre, means)) return;
        for (size_t k = 0; k < harmonics; ++k)
            if (steered(k)) means[k] = robustMean(k, harmonics, centre_.spread[k]);
    }
}

// Each hop's drift corrected by what the hum harmonics say against their means (one
// Gauss-Newton step on their common phase, each harmonic counted by how much the robust
// mean leaned on it there), then drawn towards the hum's path through the window (a
// cubic) by how much that hop's correction scatters against how far the hops stand off
// the path: where the hum stands alone each hop keeps its own, where a word or a note
// shakes the corrections the smooth path wins.
bool HumSmoother::refinePath(size_t centre, const std::vector<std::complex<double>>& means)
{
    const size_t count = hops_.size();
    std::vector<double> observed(count, 0.0);
    std::vector<double> information(count, 0.0);
    std::vector<double> scatter(count, 0.0);
    for (size_t i = 0; i < count; ++i)
        observeDrift(i, means, observed[i], information[i], scatter[i]);
    std::vector<double> path = observed;
    if (!fitPath(path, information, centre)) return false;
    double offPath = 0.0; // beyond what the scatter explains
    double total = 0.0;
    for (size_t i = 0; i < count; ++i)
    {
        const double off = observed[i] - path[i];
        offPath += information[i] * (off * off - scatter[i]);
        total += information[i];
    }
    offPath = total > 0.0 ? std::max(0.0, offPath / total) : 0.0;
    for (size_t i = 0; i < count; ++i)
        if (information[i] > 0.0)
            path[i] += (observed[i] - path[i]) * offPath / (offPath + scatter[i] + 1e-30);
    for (size_t i = 0; i < count; ++i)
        drift_[i] = path[i] - path[centre];
    applyDrift();
    return true;
}

// Hop i's drift as the hum harmonics tell it, how much they tell (zero for none), and how
// far it may be off.
void HumSmoother::observeDrift(size_t i, const std::vector<std::complex<double>>& means,
                               double& observed, double& information, double& scatter) const
{
    if (weight_[i] <= 0.0) return;
    const size_t harmonics = means.size();
    double num = 0.0;
    double den = 0.0;
    double spread = 0.0;
    for (size_t k = 1; k <= harmonics && k <= steer_.size(); ++k)
    {
        const double w = steer_[k - 1] * lean_[i * harmonics + k - 1];
        if (w <= 0.0) continue;
        const std::complex<double> t = turned_[i * harmonics + k - 1];
        const double level = static_cast<double>(k * k) * std::norm(means[k - 1]);
        num += w * k * std::imag(std::conj(means[k - 1]) * t);
        den += w * level;
        spread += w * w * level * 0.5 * std::norm(t - means[k - 1]);
    }
    if (den <= 0.0) return;
    observed = drift_[i] + std::max(-kMostCorrection, std::min(kMostCorrection, num / den));
    information = den * weight_[i];
    scatter = spread / (den * den);
}

// The weighted mean of harmonic k over the window; then hops that stray far from it (a
// word or a note passing through the harmonic) are leaned away from, so the mean rests on
// the hops where the hum stands alone.
std::complex<double> HumSmoother::robustMean(size_t k, size_t harmonics, double& spread)
{
    // The harmonic's hops gathered side by side: the passes below read them many times.
    const size_t count = weight_.size();
    values_.resize(count);
    leaning_.assign(count, 1.0);
    for (size_t i = 0; i < count; ++i)
        values_[i] = turned_[i * harmonics + k];
    std::complex<double> slope = 0.0;
    std::complex<double> m = leanedMean(slope);
    double inverse = 0.0;
    // A short file's few hops afford the scale afresh each pass, from how far they stray
    // from the mean so far, and more passes: the mean then settles on the hops the hum has
    // to itself rather than staying near the plain mean the speech pulled.
    const bool rescale = sloped_ && robustPasses_ > 0;
    const int passes = rescale ? kClipPasses : robustPasses_;
    for (int pass = 0; pass < passes; ++pass)
    {
        for (size_t i = 0; i < count; ++i)
            leaning_[i] = std::norm(values_[i] - m - (sloped_ ? at(i) : 0.0) * slope);
        // Otherwise the scale is set once, by how far the hops stray from the plain mean: a
        // median per pass costs most of the canceller's time on a buzz of many harmonics.
        if (pass == 0 || rescale)
        {
            misses_.clear();
            for (size_t i = 0; i < count; ++i)
                if (weight_[i] > 0.0) misses_.push_back(leaning_[i]);
            if (misses_.empty()) break;
            std::nth_element(misses_.begin(), misses_.begin() + misses_.size() / 2, misses_.end());
            inverse = 1.0 / (misses_[misses_.size() / 2] + 1e-30);
        }
        for (double& l : leaning_)
        {
            const double r = 1.0 + l * inverse;
            l = 1.0 / (r * r);
        }
        m = leanedMean(slope);
    }
    spread = sloped_ ? leanedSpread(m, slope) : 0.0;
    if (!steer_.empty())
    {
        lean_.resize(count * harmonics);
        for (size_t i = 0; i < count; ++i)
            lean_[i * harmonics + k] = leaning_[i];
    }
    return m;
}

// Position of hop i against the centre, in half-windows.
double HumSmoother::at(size_t i) const
{
    return (static_cast<double>(i) - static_cast<double>(centreIndex_)) / half_;
}

// The mean of values_ weighed by the window and leaning_; in a file measured whole, the
// straight line through them read at the centre, its `slope` kept as far as it stands
// clear of what the hops' scatter alone would give it, so that a steady hum under speech
// is not tilted by the words.
std::complex<double> HumSmoother::leanedMean(std::complex<double>& slope) const
{
    const size_t count = weight_.size();
    std::complex<double> sum = 0.0;
    std::complex<double> moment = 0.0;
    double weights = 0.0;
    double first = 0.0;
    double second = 0.0;
    for (size_t i = 0; i < count; ++i)
    {
        const double w = weight_[i] * leaning_[i];
        const double x = sloped_ ? at(i) : 0.0;
        sum += w * values_[i];
        moment += w * x * values_[i];
        weights += w;
        first += w * x;
        second += w * x * x;
    }
    if (!(weights > 0.0)) return std::complex<double>();
    // A plain mean where the hops leave no slope.
    const double det = weights * second - first * first;
    if (!sloped_ || !(det > 1e-6 * weights * weights)) return sum / weights;
    slope = (weights * moment - first * sum) / det;
    double scatter = 0.0;
    const std::complex<double> level = (sum - slope * first) / weights;
    for (size_t i = 0; i < count; ++i)
        scatter += weight_[i] * leaning_[i] * std::norm(values_[i] - level - at(i) * slope);
    const double spread = scatter / det; // the slope's variance
    slope *= std::max(0.0, 1.0 - kSlopeSpreads * spread / (std::norm(slope) + 1e-30));
    return (sum - slope * first) / weights;
}

// How far the line `m` + `slope` through values_ may be off: the hops' strays weighed by
// the square of what the mean leaned on each.
double HumSmoother::leanedSpread(std::complex<double> m, std::complex<double> slope) const
{
    double leaned = 0.0;
    double strayed = 0.0;
    for (size_t i = 0; i < weight_.size(); ++i)
    {
        const double w = weight_[i] * leaning_[i];
        leaned += w;
        strayed += w * w * std::norm(values_[i] - m - at(i) * slope);
    }
    return leaned > 0.0 ? strayed / (leaned * leaned) : 0.0;
}

// The hum's path through the window, fitted by a cubic to each hop's `drift` weighed by
// its `information`; the reference's own path is known (its frequency per hop), so the fit
// is of the hum's phase, reference plus drift, and the drift is taken back from it.
bool HumSmoother::fitPath(std::vector<double>& drift, const std::vector<double>& information,
                          size_t centre) const
{
    const size_t count = drift.size();
    std::vector<double> path(count, 0.0);
    const double base = hops_[centre].hz;
    for (size_t i = centre + 1; i < count; ++i)
        path[i] = path[i - 1] + 2.0 * kPi * (hops_[i - 1].hz - base) * hops_[i - 1].seconds;
    for (size_t i = centre; i-- > 0;)
        path[i] = path[i + 1] - 2.0 * kPi * (hops_[i].hz - base) * hops_[i].seconds;
    size_t used = 0;
    for (double w : information)
        used += w > 0.0 ? 1 : 0;
    const size_t n = std::min<size_t>(kPathTerms, used / 3);
    if (n == 0) return false;
    double a[4][5] = {};
    for (size_t i = 0; i < count; ++i)
    {
        const double w = information[i];
        if (w <= 0.0) continue;
        const double x = (static_cast<double>(i) - static_cast<double>(centre)) / half_;
        const double p[4] = {1.0, x, x * x, x * x * x};
        for (size_t r = 0; r < n; ++r)
        {
            for (size_t c = 0; c < n; ++c)
                a[r][c] += w * p[r] * p[c];
            a[r][4] += w * p[r] * (drift[i] + path[i]);
        }
    }
    for (size_t r = 0; r < n; ++r)
    {
        if (!(std::fabs(a[r][r]) > 0.0)) return false;
        for (size_t q = 0; q < n; ++q)
        {
            if (q == r) continue;
            const double f = a[q][r] / a[r][r];
            for (size_t c = 0; c < 5; ++c)
                a[q][c] -= f * a[r][c];
        }
    }
    double coef[4] = {};
    for (size_t r = 0; r < n; ++r)
        coef[r] = a[r][4] / a[r][r];
    for (size_t i = 0; i < count; ++i)
    {
        const double x = (static_cast<double>(i) - static_cast<double>(centre)) / half_;
        drift[i] = coef[0] + coef[1] * x + coef[2] * x * x + coef[3] * x * x * x - path[i];
    }
    return true;
}

} // namespace companion
