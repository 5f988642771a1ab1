#include "HumEstimator.h"

#include <algorithm>
#include <cmath>
#include <complex>
#include <limits>

namespace companion
{

namespace
{
constexpr double kTwoPi = 6.283185307179586476925;
using Complex = std::complex<double>;
using Record = std::vector<Complex>;

constexpr double kFrameSeconds = 1.0;         // frames for the peak search
constexpr double kMaxDriftHz = 0.5;           // of the fundamental, searched around its nominal
constexpr double kNeighbourGapHz = 3.0;       // bins closer than this to the peak are its own
constexpr double kProminence = 10.0;          // peak over neighbourhood median, 10 dB
constexpr double kQuietestAmplitude = 3e-5;   // baseband: a hum below -84 dBFS is no hum
constexpr double kSeedShare = 0.5;            // of the frames a seed harmonic must stand out in
constexpr double kFollowHz = 0.1;             // how far a seed's peak may stray from the drift,
constexpr double kFollowPerHarmonicHz = 0.05; // plus this much per harmonic number
constexpr double kTrackSeconds = 0.35;        // smoothing of the phase followed
constexpr double kDriftSeconds = 0.5;         // smoothing of the drift's corrections
constexpr double kLevelSeconds = 2.0;         // smoothing of the amplitude kept
constexpr double kDetectSeconds = 4.0;        // smoothing of the amplitude that tells hum
constexpr double kSteadyShare = 0.5; // of the kept level's power the steady level must hold
constexpr double kCoherence = 0.5;   // hum power over what noise leaves in it, -3 dB
// How hard a level leans away from points that stray from it (speech passing through):
// points missing it by more than `outlier` times the median miss count less, over
// `passes` rounds.
struct Robustness
{
    double outlier;
    int passes;
};
constexpr Robustness kFirm{0.3, 8}; // for the hum kept
// For telling hum: a tone that the drift turns about must not find still moments to
// be kept in.
constexpr Robustness kLenient{1.5, 2};
constexpr double kQuietMargin = 1.0;  // times the quietest tenth: a point still counting as quiet
constexpr double kLeastWeight = 1e-6; // of a point: the level of a file without pauses
constexpr size_t kSpectrumSize = 512;
constexpr int kRefinements = 12;

size_t oddWidth(double seconds, double rate)
{
    const size_t width = static_cast<size_t>(std::lround(seconds * rate));
    return width | 1;
}

// A centred moving mean, three times over: a smooth low-pass with no delay. Near the ends
// it averages what there is.
template <typename T> std::vector<T> smooth(std::vector<T> x, size_t width)
{
    const size_t n = x.size();
    const size_t half = width / 2;
    std::vector<T> sums(n + 1);
    for (int pass = 0; pass < 3; ++pass)
    {
        sums[0] = T();
        for (size_t i = 0; i < n; ++i)
            sums[i + 1] = sums[i] + x[i];
        for (size_t i = 0; i < n; ++i)
        {
            const size_t from = i > half ? i - half : 0;
            const size_t to = std::min(n, i + half + 1);
            x[i] = (sums[to] - sums[from]) / static_cast<double>(to - from);
        }
    }
    return x;
}

// The same low-pass, but each pass fits a straight line to the points of its window and
// takes its value at the centre: in the middle that is the mean, near the ends the line
// carries a trend on, where a mean of what there is would bend it towards the inside.
template <typename T> std::vector<T> smoothTrend(std::vector<T> x, size_t width)
{
    const size_t n = x.size();
    const size_t half = width / 2;
    std::vector<T> sums(n + 1);
    std::vector<T> moments(n + 1); // sums of i x[i]
    for (int pass = 0; pass < 3; ++pass)
    {
        for (size_t i = 0; i < n; ++i)
        {
            sums[i + 1] = sums[i] + x[i];
            moments[i + 1] = moments[i] + static_cast<double>(i) * x[i];
        }
        for (size_t i = 0; i < n; ++i)
        {
            const size_t from = i > half ? i - half : 0;
            const size_t to = std::min(n, i + half + 1);
            const double count = static_cast<double>(to - from);
            // Offsets of the window's points from i: their sum and sum of squares.
            const double a = static_cast<double>(from) - static_cast<double>(i);
            const double b = static_cast<double>(to) - 1.0 - static_cast<double>(i);
            const double offsets = 0.5 * (a + b) * count;
            const double squares = (b * (b + 1) * (2 * b + 1) - (a - 1) * a * (2 * a - 1)) / 6.0;
            const T sum = sums[to] - sums[from];
            const T moment = moments[to] - moments[from] - static_cast<double>(i) * sum;
            const double det = count * squares - offsets * offsets;
            x[i] = det > 0.0 ? (squares * sum - offsets * moment) / det : sum / count;
        }
    }
    return x;
}

// Sum of squares of the smoother's impulse response: the share of white noise it passes.
double passedNoise(size_t width)
{
    std::vector<double> impulse(4 * width, 0.0);
    impulse[2 * width] = 1.0;
    double sum = 0.0;
    for (double v : smooth(impulse, width))
        sum += v * v;
    return sum;
}

struct FramePeak
{
    double offsetHz = 0.0;
    bool prominent = false;
};

// Hann-windowed spectra of one frame of a baseband record, zero-padded.
class FrameSpectrum
{
public:
    FrameSpectrum(size_t frame, double rate)
        : rate_(rate), window_(frame), twiddles_(kSpectrumSize), power_(kSpectrumSize)
    {
        for (size_t i = 0; i < frame; ++i)
            window_[i] = 0.5 - 0.5 * std::cos(kTwoPi * (i + 0.5) / frame);
        for (size_t b = 0; b < kSpectrumSize; ++b)
            twiddles_[b] = std::polar(1.0, -kTwoPi * b / kSpectrumSize);
    }

    FramePeak peak(const Record& record, size_t from, double searchHz)
    {
        for (size_t b = 0; b < kSpectrumSize; ++b)
        {
            Complex sum = 0.0;
            for (size_t i = 0; i < window_.size(); ++i)
                sum += window_[i] * record[from + i] * twiddles_[(b * i) % kSpectrumSize];
            power_[b] = std::norm(sum) + 1e-30;
        }
        size_t best = 0;
        for (size_t b = 0; b < kSpectrumSize; ++b)
            if (std::fabs(hz(b)) <= searchHz && power_[b] > power_[best]) best = b;
        const double left = std::log(power_[(best + kSpectrumSize - 1) % kSpectrumSize]);
        const double centre = std::log(power_[best]);
        const double right = std::log(power_[(best + 1) % kSpectrumSize]);
        const double curve = left - 2.0 * centre + right;
        const double shift = curve < 0.0 ? 0.5 * (left - right) / curve : 0.0;
        FramePeak result;
        result.offsetHz = hz(best) + shift * rate_ / kSpectrumSize;
        std::vector<double> around;
        for (size_t b = 0; b < kSpectrumSize; ++b)
            if (std::fabs(hz(b) - result.offsetHz) > kNeighbourGapHz) around.push_back(power_[b]);
        std::nth_element(around.begin(), around.begin() + around.size() / 2, around.end());
        const double floor = std::pow(kQuietestAmplitude * window_.size() / 2.0, 2.0);
        result.prominent =
            power_[best] >= kProminence * around[around.size() / 2] && power_[best] >= floor;
        return result;
    }

private:
    double hz(size_t bin) const
    {
        const double b = bin < kSpectrumSize / 2 ? static_cast<double>(bin)
                                                 : static_cast<double>(bin) - kSpectrumSize;
        return b * rate_ / kSpectrumSize;
    }

    double rate_;
    std::vector<double> window_;
    std::vector<Complex> twiddles_;
    std::vector<double> power_;
};

double median(std::vector<double> values)
{
    std::nth_element(values.begin(), values.begin() + values.size() / 2, values.end());
    return values[values.size() / 2];
}

// The smoothed record, with points that stray far from it (speech passing through the
// harmonic) weighted down, so that what is kept is the steady part alone.
Record robustLevel(const Record& still, size_t width, const std::vector<double>& quiet,
                   Robustness robustness = kFirm)
{
    const size_t n = still.size();
    Record level(n);
    {
        Record weighted(n);
        for (size_t m = 0; m < n; ++m)
            weighted[m] = quiet[m] * still[m];
        const Record sum = smooth(weighted, width);
        const std::vector<double> share = smooth(quiet, width);
        for (size_t m = 0; m < n; ++m)
            level[m] = sum[m] / share[m];
    }
    std::vector<double> misses(n);
    std::vector<double> weights(n);
    Record weighted(n);
    for (int pass = 0; pass < robustness.passes; ++pass)
    {
        for (size_t m = 0; m < n; ++m)
            misses[m] = std::abs(still[m] - level[m]);
        const double scale = robustness.outlier * median(misses) + 1e-30;
        for (size_t m = 0; m < n; ++m)
        {
            const double ratio = misses[m] <= scale ? 1.0 : scale / misses[m];
            weights[m] = quiet[m] * ratio * ratio;
            weighted[m] = weights[m] * still[m];
        }
        const Record sum = smooth(weighted, width);
        const std::vector<double> share = smooth(weights, width);
        for (size_t m = 0; m < n; ++m)
            level[m] = sum[m] / share[m];
    }
    return level;
}

// The short-term level of a steadied record, whose turns show how far the drift is off.
// Near the ends a mean of what there is would turn at half the rate; there a straight line
// is fitted instead, which the middle cannot have for speech weighing on it.
Record followed(const Record& still, size_t width)
{
    Record slow = robustLevel(still, width, std::vector<double>(still.size(), 1.0));
    const Record trend = smoothTrend(still, width);
    const size_t edge = std::min(still.size() / 2, 3 * (width / 2));
    for (size_t m = 0; m < edge; ++m)
    {
        slow[m] = trend[m];
        slow[still.size() - 1 - m] = trend[still.size() - 1 - m];
    }
    return slow;
}

// What else lies around a harmonic at each point (speech passing through): the power by
// which its record strays from its short-term level, smoothed alike.
std::vector<double> around(const Record& still, const Record& slow, size_t width)
{
    std::vector<double> rest(still.size());
    for (size_t m = 0; m < still.size(); ++m)
        rest[m] = std::norm(still[m] - slow[m]);
    return smooth(rest, width);
}

// How much each point may count in the hum's level: fully where the signal is as quiet as
// in its quietest moments, much less where words cover the hum.
std::vector<double> quietWeights(const std::vector<float>& activity, size_t points)
{
    std::vector<double> weights(points, 1.0);
    if (activity.size() < points) return weights;
    std::vector<double> sorted(activity.begin(), activity.begin() + points);
    std::nth_element(sorted.begin(), sorted.begin() + points / 10, sorted.end());
    const double quiet = kQuietMargin * sorted[points / 10] + 1e-30;
    for (size_t m = 0; m < points; ++m)
    {
        const double ratio = activity[m] / quiet;
        weights[m] = 1.0 / (1.0 + ratio * ratio * ratio * ratio) + kLeastWeight;
    }
    return weights;
}

// The fundamental's offset from nominal at each point, from the frames' peak offsets of
// the seed harmonics; frames where no seed stands out borrow from their neighbours.
std::vector<double> coarseDrift(const std::vector<std::vector<FramePeak>>& peaks,
                                const std::vector<int>& harmonics, const std::vector<size_t>& seeds,
                                size_t frame, size_t hop, size_t points)
{
    const size_t frames = peaks.front().size();
    const double missing = std::numeric_limits<double>::quiet_NaN();
    std::vector<double> perFrame(frames, missing);
    for (size_t f = 0; f < frames; ++f)
    {
        std::vector<double> offsets;
        for (size_t s : seeds)
            if (peaks[s][f].prominent) offsets.push_back(peaks[s][f].offsetHz / harmonics[s]);
        if (!offsets.empty()) perFrame[f] = median(offsets);
    }
    const auto first =
        std::find_if(perFrame.begin(), perFrame.end(), [](double v) { return !std::isnan(v); });
    double last = first == perFrame.end() ? 0.0 : *first;
    for (double& v : perFrame)
        v = std::isnan(v) ? last : (last = v);
    std::vector<double> drift(points);
    for (size_t m = 0; m < points; ++m)
    {
        const double at = (static_cast<double>(m) - 0.5 * frame) / hop;
        const size_t f = at <= 0.0 ? 0 : std::min(static_cast<size_t>(at), frames - 1);
        const size_t g = std::min(f + 1, frames - 1);
        const double frac = std::min(std::max(at - static_cast<double>(f), 0.0), 1.0);
        drift[m] = perFrame[f] + frac * (perFrame[g] - perFrame[f]);
    }
    return drift;
}

// The record turned back by harmonic `k` of the drift, so that hum sits still at 0 Hz.
Record steadied(const BasebandRecorder& recorder, size_t carrier, const std::vector<double>& phase,
                const std::vector<double>& drift, int k)
{
    const auto& record = recorder.record(carrier);
    Record out(record.size());
    for (size_t m = 0; m < record.size(); ++m)
        out[m] = Complex(record[m]) * std::polar(1.0, -k * phase[m]) / recorder.gain(k * drift[m]);
    return out;
}

// Whether the steady part stands clearly above what the smoothing would leave of the rest
// alone, over the whole record: a harmonic under speech for most of the file still adds up.
bool coherent(const Record& still, const Record& level, double noiseShare)
{
    double kept = 0.0;
    double rest = 0.0;
    for (size_t m = 0; m < still.size(); ++m)
    {
        kept += std::norm(level[m]);
        rest += std::norm(still[m] - level[m]);
    }
    return kept >= kCoherence * noiseShare * rest;
}

double power(const Record& record)
{
    double sum = 0.0;
    for (const Complex& value : record)
        sum += std::norm(value);
    return sum;
}

std::vector<double> integrate(const std::vector<double>& drift, double rate)
{
    std::vector<double> phase(drift.size());
    double sum = 0.0;
    for (size_t m = 0; m < drift.size(); ++m)
    {
        phase[m] = sum;
        sum += kTwoPi * drift[m] / rate;
    }
    return phase;
}
} // namespace

HumModel HumEstimator::estimate(const BasebandRecorder& recorder, const Series& series)
{
    HumModel model;
    model.mainsHz = series.mainsHz;
    model.decimation = recorder.decimation();
    model.firstCentre = recorder.firstCentre();
    const size_t count = series.harmonics.size();
    if (count == 0) return model;
    const double rate = recorder.rate();
    const size_t points = recorder.record(series.carriers[0]).size();
    const size_t frame = static_cast<size_t>(std::lround(kFrameSeconds * rate));
    if (frame < 8 || points < 2 * frame) return model; // too short to tell hum apart
    const size_t hop = frame / 2;
    const size_t frames = (points - frame) / hop + 1;

    std::vector<Record> records(count);
    for (size_t h = 0; h < count; ++h)
    {
        const auto& r = recorder.record(series.carriers[h]);
        records[h].assign(r.begin(), r.end());
    }

    FrameSpectrum spectrum(frame, rate);
    std::vector<std::vector<FramePeak>> peaks(count, std::vector<FramePeak>(frames));
    std::vector<size_t> seeds;
    for (size_t h = 0; h < count; ++h)
    {
        const double search = series.harmonics[h] * kMaxDriftHz + 0.5;
        size_t standing = 0;
        for (size_t f = 0; f < frames; ++f)
        {
            peaks[h][f] = spectrum.peak(records[h], f * hop, search);
            standing += peaks[h][f].prominent ? 1 : 0;
        }
        if (standing >= kSeedShare * frames) seeds.push_back(h);
    }
    // Hum always has its fundamental or, rectified, its second harmonic; steady notes
    // further up the grid alone are music.
    const bool grounded =
        std::any_of(seeds.begin(), seeds.end(), [&](size_t s) { return series.harmonics[s] <= 2; });
    if (!grounded) return model;

    std::vector<double> drift = coarseDrift(peaks, series.harmonics, seeds, frame, hop, points);
    // A seed whose peak wanders off the common drift is a tone of its own, not hum.
    std::vector<size_t> following;
    for (size_t s : seeds)
    {
        const int k = series.harmonics[s];
        std::vector<double> misses;
        for (size_t f = 0; f < frames; ++f)
            if (peaks[s][f].prominent)
                misses.push_back(std::fabs(peaks[s][f].offsetHz -
                                           k * drift[std::min(points - 1, f * hop + frame / 2)]));
        if (median(misses) <= kFollowHz + kFollowPerHarmonicHz * k) following.push_back(s);
    }
    seeds.swap(following);
    if (seeds.empty()) return model;
    const size_t trackWidth = oddWidth(kTrackSeconds, rate);
    const std::vector<double> quiet = quietWeights(recorder.activity(), points);
    const size_t levelWidth = oddWidth(kLevelSeconds, rate);
    const size_t driftWidth = oddWidth(kDriftSeconds, rate);
    // The drift is refined from the phase the seed harmonics keep once steadied by it,
    // pooled with weights for their strength and harmonic number.
    for (int pass = 0; pass < kRefinements; ++pass)
    {
        const std::vector<double> phase = integrate(drift, rate);
        std::vector<double> weighted(points, 0.0);
        std::vector<double> weights(points, 1e-30);
        for (size_t s : seeds)
        {
            const int k = series.harmonics[s];
            const Record still = steadied(recorder, series.carriers[s], phase, drift, k);
            const Record slow = followed(still, trackWidth);
            const std::vector<double> rest = around(still, slow, trackWidth);
            for (size_t m = 0; m + 1 < points; ++m)
            {
                const double turn = std::arg(slow[m + 1] * std::conj(slow[m]));
                const double w = std::norm(slow[m]) * k * k / (rest[m] + 1e-30);
                weighted[m] += w * turn * rate / (kTwoPi * k);
                weights[m] += w;
            }
        }
        std::vector<double> residual(points);
        for (size_t m = 0; m < points; ++m)
            residual[m] = weighted[m] / weights[m];
        residual = smoothTrend(residual, driftWidth);
        for (size_t m = 0; m < points; ++m)
            drift[m] += residual[m];
    }

    const std::vector<double> phase = integrate(drift, rate);
    const size_t detectWidth = oddWidth(kDetectSeconds, rate);
    const double noiseShare = passedNoise(detectWidth);
    for (size_t h = 0; h < count; ++h)
    {
        const int k = series.harmonics[h];
        const Record still = steadied(recorder, series.carriers[h], phase, drift, k);
        // Judged on a longer level than the one removed. A steady tone that the drift turns
        // about averages away over it, where the level quick enough to follow the hum's own
        // changes keeps some of it: hum is as strong over both.
        const Record steady = robustLevel(still, detectWidth, quiet, kLenient);
        const Record level = robustLevel(still, levelWidth, quiet);
        if (!coherent(still, steady, noiseShare)) continue;
        if (power(steady) < kSteadyShare * power(level)) continue;
        HumComponent component;
        component.hz = series.mainsHz * k;
        component.amplitude.resize(points);
        component.phase.resize(points);
        for (size_t m = 0; m < points; ++m)
        {
            component.amplitude[m] = std::complex<float>(level[m]);
            component.phase[m] = k * phase[m];
        }
        model.components.push_back(std::move(component));
    }
    return model;
}

} // namespace companion
