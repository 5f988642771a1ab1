#include "HumEstimator.h"

#include "HumCanceller.h"

#include <algorithm>
#include <cmath>

namespace companion
{

namespace
{
constexpr size_t kHalfWidth = 25; // hops either side: the steady part over 5 s
// A line's steady power over what the smoothing let through of the rest. Noise alone gives
// kNoiseRatio (hop measurements overlap by half, so their mean keeps half as much noise
// again as independent ones would), scattered by about one over the square root of the
// independent windows the file holds. A line must stand that many scatters clear: far
// (kSureScatters) to be hum on its own, little (kSeriesScatters) to extend an unbroken run
// of the series (k-1 and k-2 hum), between the two (kGapScatters) beside a gap (k-1 or k-2
// hum), so that the noise floor between and above the lines is not counted.
constexpr double kNoiseRatio = 1.5;
constexpr double kSureScatters = 3.5;
constexpr double kSeriesScatters = 0.25;
constexpr double kGapScatters = 2.0;
// The same three bars for a line's coherent power against the fundamental over the whole
// file, in units of what noise gives (exponentially scattered): the test that finds weak
// harmonics under speech or music, whose windowed ratio the passing material swamps.
constexpr double kSureCoherence = 7.0;
constexpr double kSeriesCoherence = 1.5;
constexpr double kGapCoherence = 5.0;
// The leaned shape rests on fewer hops: at least this bar even to extend a run, so that a
// note a fraction of a hertz off the grid (E5 at 659.3 Hz by 660 Hz) is not taken in; the
// same for a line only a second, sharper look finds.
constexpr double kLeanCoherence = 3.0;
constexpr double kLineMargin = 4.0;         // at the least, for the harmonics that need no series
constexpr double kQuietestAmplitude = 3e-5; // a line below -90 dBFS is no hum
constexpr double kSeriesSpread = 16.0;      // 12 dB over the strongest neighbour
constexpr size_t kGrounding = 3;            // harmonics that are hum whenever they are lines
constexpr double kMostDownDb = 50.0;        // what the rebuilt lines reach on hum alone
// A short file's lines judged by how firmly they keep their place (clipFirmness()): noise
// scatters that above 15 in one harmonic of about 150 in a 2 s speech clip, above 30 in
// one of a thousand; fewer hops than kClipHops scatter it too widely to judge.
constexpr size_t kClipHops = 15;
constexpr int kClipPasses = 3;
constexpr double kFirmRun = 15.0;
constexpr double kFirmGap = 30.0;
} // namespace

HumEstimator::HumEstimator(double mainsHz, size_t harmonics, const FrequencyRange& range)
    : mainsHz_(mainsHz), range_(range), tracker_(mainsHz, harmonics, range.sampleRate),
      smoother_(kHalfWidth), steady_(tracker_.harmonics(), 0.0), raw_(tracker_.harmonics(), 0.0),
      passed_(tracker_.harmonics(), 0.0), coherent_(tracker_.harmonics()),
      shape_(tracker_.harmonics()), shapeWeight_(tracker_.harmonics(), 0.0),
      shapeMiss_(tracker_.harmonics(), 0.0), missSum_(tracker_.harmonics(), 0.0)
{
}

HumEstimator::HumEstimator(const HumModel& found, const FrequencyRange& range)
    : HumEstimator(found.mainsHz, found.harmonics, range)
{
    tracker_.trust(found.clarity);
    found_ = found.hum;
}

void HumEstimator::add(const float* in, size_t count)
{
    for (size_t at = 0; at < count;)
    {
        at += tracker_.feed(in + at, count - at, count - at);
        if (tracker_.hopReady()) take(tracker_.hop());
    }
}

void HumEstimator::take(const HumTracker::Hop& hop)
{
    if (smoother_.push(hop)) account(smoother_.centre());
}

void HumEstimator::account(const HumSmoother::Centre& centre)
{
    const double w = centre.hop.weight;
    if (w <= 0.0) return;
    hops_ += w;
    hzSum_ += w * centre.hop.hz;
    // Each hop's harmonics turned back by k times the steady fundamental's phase: hum keeps
    // its shape against its own fundamental through the whole file, what passes does not.
    clipWhole_ = clipWhole_ && clipWeight_.size() < smoother_.span();
    if (clipWhole_)
    {
        clipWeight_.push_back(w);
    }
    else if (!clipWeight_.empty())
    {
        // Longer than the window: the sums alone judge it.
        clip_ = {};
        clipWeight_ = {};
    }
    const std::complex<double> fundamental(centre.steady[0]);
    const std::complex<double> back =
        std::abs(fundamental) > 0.0 ? std::conj(fundamental) / std::abs(fundamental) : 0.0;
    std::complex<double> rotor = back;
    for (size_t k = 0; k < steady_.size(); ++k, rotor *= back)
    {
        const std::complex<double> a(centre.hop.amplitude[k]);
        coherent_[k] += w * a * rotor;
        // Leaned on by how far it strays from the steady part against the mean so far.
        const double miss = std::norm(a - std::complex<double>(centre.steady[k]));
        missSum_[k] += w * miss;
        const double ratio = miss * hops_ / (missSum_[k] + 1e-30);
        const double lean = w / ((1.0 + ratio) * (1.0 + ratio));
        shape_[k] += lean * a * rotor;
        shapeWeight_[k] += lean;
        shapeMiss_[k] += lean * miss;
        steady_[k] += w * std::norm(centre.steady[k]);
        raw_[k] += w * std::norm(centre.hop.amplitude[k]);
        if (clipWhole_) clip_.push_back(a * rotor);
        passed_[k] += w * centre.share *
                      std::norm(std::complex<double>(centre.hop.amplitude[k]) -
                                std::complex<double>(centre.steady[k]));
    }
}

// The last partial hop, then empty hops until every real one has been the centre.
void HumEstimator::flush()
{
    const std::vector<float> zeros(tracker_.hopSize(), 0.0f);
    for (size_t at = 0; at < zeros.size();)
    {
        at += tracker_.feed(zeros.data() + at, zeros.size() - at, 0);
        if (!tracker_.hopReady()) continue;
        take(tracker_.hop());
        break;
    }
    HumTracker::Hop empty;
    empty.amplitude.assign(steady_.size(), {});
    for (size_t i = 0; i < kHalfWidth; ++i)
        take(empty);
}

HumModel HumEstimator::finish()
{
    flush();
    HumModel model;
    model.mainsHz = mainsHz_;
    model.harmonics = steady_.size();
    model.hum.assign(steady_.size(), false);
    model.clarity.assign(steady_.size(), 0.0);
    model.shape.assign(steady_.size(), {});
    model.shapeError.assign(steady_.size(), 0.0);
    model.steadyError.assign(steady_.size(), 0.0);
    if (hops_ <= 0.0) return model;
    model.meanHz = hzSum_ / hops_;
    std::vector<bool> series = findSeries();
    if (series.empty() && !found_.empty()) series.assign(steady_.size(), false);
    for (size_t k = 0; k < found_.size() && k < series.size(); ++k)
        series[k] = series[k] || found_[k];
    if (!series.empty()) describe(series, model);
    return model;
}

// For a file measured whole (no longer than the steady part's window): how firmly each
// harmonic keeps one place against the fundamental, as the square of its robust mean over
// that mean's variance. Hops a word or a note passes through are leaned away from by how
// far they stray (as the canceller does), so a weak line that speech covers at times is
// judged on the hops where it stands alone, not on its level against the speech. Noise
// gives a few; empty when the file is longer.
std::vector<double> HumEstimator::clipFirmness() const
{
    const size_t n = steady_.size();
    const size_t count = clipWeight_.size();
    if (!clipWhole_ || count < kClipHops) return {};
    std::vector<double> firmness(n, 0.0);
    std::vector<double> lean(count);
    std::vector<double> misses;
    for (size_t k = 0; k < n; ++k)
    {
        auto value = [&](size_t i) { return clip_[i * n + k]; };
        std::complex<double> mean = 0.0;
        double weights = 0.0;
        for (size_t i = 0; i < count; ++i)
            mean += clipWeight_[i] * value(i), weights += clipWeight_[i];
        mean /= weights;
        double scale = 0.0;
        for (int pass = 0; pass < kClipPasses; ++pass)
        {
            if (pass == 0)
            {
                misses.clear();
                for (size_t i = 0; i < count; ++i)
                    misses.push_back(std::norm(value(i) - mean));
                std::nth_element(misses.begin(), misses.begin() + count / 2, misses.end());
                scale = misses[count / 2] + 1e-30;
            }
            std::complex<double> sum = 0.0;
            double total = 0.0;
            for (size_t i = 0; i < count; ++i)
            {
                const double r = 1.0 + std::norm(value(i) - mean) / scale;
                lean[i] = clipWeight_[i] / (r * r);
                sum += lean[i] * value(i);
                total += lean[i];
            }
            mean = sum / (total + 1e-30);
        }
        double total = 0.0;
        double spread = 0.0;
        for (size_t i = 0; i < count; ++i)
        {
            total += lean[i];
            spread += lean[i] * lean[i] * std::norm(value(i) - mean);
        }
        firmness[k] = std::norm(mean) * total * total / (spread + 1e-30);
    }
    return firmness;
}

// The series, grown upwards from the fundamental: each line that stands clear beside one
// already in it (k-1 or k-2, so odd-harmonic buzz counts) by the bars above, or stands
// clear by far. The grounding harmonics then need only stand as lines; a higher one must
// also stand no more than 12 dB above the strongest of k-2 to k+2, or it is a tone of its
// own. Empty when no grounding harmonic is a line.
std::vector<bool> HumEstimator::findSeries() const
{
    const size_t n = steady_.size();
    const std::vector<double> firm = clipFirmness();
    std::vector<bool> series(n, false);
    bool grounded = false;
    for (size_t k = 0; k < n; ++k)
    {
        if (k >= kGrounding && !grounded) break;
        // Beside a gap the bar rises, so that noise cannot carry the series on by chance.
        const bool below = k >= 1 && series[k - 1];
        const bool twoBelow = k >= 2 && series[k - 2];
        const bool run = below && (k < 2 || twoBelow);
        const bool beside = below || twoBelow;
        double scatters = run ? kSeriesScatters : beside ? kGapScatters : kSureScatters;
        double coherence = run ? kSeriesCoherence : beside ? kGapCoherence : kSureCoherence;
        // A second look takes a line the first missed only by the higher bars: its sharper
        // tracking also holds a sustained note near the grid together.
        if (!found_.empty() && !(k < found_.size() && found_[k]))
        {
            scatters = std::max(scatters, kGapScatters);
            coherence = std::max(coherence, kLeanCoherence);
        }
        // In a file measured whole a line extends the series by keeping its place through
        // the hops the speech leaves it; the series' lower bars would let noise in there,
        // so otherwise it must stand clear by far.
        const bool whole = !firm.empty() && beside;
        const bool firmly = whole && series[0] && firm[k] >= (run ? kFirmRun : kFirmGap);
        if (whole)
        {
            scatters = kSureScatters;
            coherence = kSureCoherence;
        }
        if (!(firmly || stands(k, scatters, coherence, series[0]))) continue;
        if (k < kGrounding)
        {
            series[k] = steady_[k] >= kLineMargin * passed_[k];
            grounded = grounded || series[k];
            continue;
        }
        series[k] = amongNeighbours(k);
    }
    return grounded ? series : std::vector<bool>();
}

// Whether line k stands by the bars given: its steady part clear of what noise alone gives
// by `scatters`, or, once the fundamental is hum, its phase against the fundamental over
// the whole file `coherence` times what noise gives (whose coherent power comes to about
// kNoiseRatio hops' worth of its power), plainly or with the hops that stray from their
// window's steady part leaned away from: what finds a weak line where speech leaves it
// only at times.
bool HumEstimator::stands(size_t k, double scatters, double coherence, bool fundamental) const
{
    if (steady_[k] < hops_ * kQuietestAmplitude * kQuietestAmplitude) return false;
    const double windows = std::max(1e-3, hops_ * smoother_.noiseShare() / kNoiseRatio);
    if (steady_[k] >= kNoiseRatio * (1.0 + scatters / std::sqrt(windows)) * passed_[k]) return true;
    if (!fundamental) return false;
    if (std::norm(coherent_[k]) >= coherence * kNoiseRatio * raw_[k]) return true;
    const double w = shapeWeight_[k] + 1e-30;
    return std::norm(shape_[k] / w) >=
           std::max(coherence, kLeanCoherence) * kNoiseRatio * shapeMiss_[k] / (w * w);
}

// A line above the grounding harmonics stands no more than 12 dB above the strongest of
// harmonics k-2 to k+2, or it is a tone of its own.
bool HumEstimator::amongNeighbours(size_t k) const
{
    double neighbour = 0.0;
    for (size_t j = k - 2; j <= k + 2 && j < steady_.size(); ++j)
        if (j != k) neighbour = std::max(neighbour, steady_[j]);
    return steady_[k] <= kSeriesSpread * neighbour;
}

// The series' harmonics inside the range, with what the canceller weighs them by.
void HumEstimator::describe(const std::vector<bool>& series, HumModel& model) const
{
    double kept = 0.0;
    double through = 0.0;
    const double passed = HumSmoother(HumCanceller::kHalfWidth).noiseShare();
    for (size_t k = 0; k < series.size(); ++k)
    {
        const double hz = (k + 1) * mainsHz_;
        if (!series[k] || hz < range_.low || hz > range_.high) continue;
        model.hum[k] = true;
        model.clarity[k] = steady_[k] / (passed_[k] + 1e-30);
        // The hum's shape over the whole file (hops leaned away from as they stray from
        // their window's steady part): what it may be off by is what the leaned-on hops
        // missed by, over about one in kNoiseRatio of them as independent, plus how far
        // its level strays from the windows' (a drift that scrambled it). A window's steady
        // part may be off by what passed_ measured, scaled to the canceller's window.
        model.shape[k] = shape_[k] / (shapeWeight_[k] + 1e-30);
        const double stray = std::sqrt(steady_[k] / hops_) - std::abs(model.shape[k]);
        model.shapeError[k] =
            kNoiseRatio * shapeMiss_[k] / (shapeWeight_[k] * shapeWeight_[k] + 1e-30) +
            stray * stray;
        model.steadyError[k] = passed_[k] / hops_ * passed / smoother_.noiseShare();
        kept += steady_[k];
        through += passed * std::max(raw_[k] - steady_[k], 0.0);
    }
    model.power = kept / hops_;
    model.downDb =
        through > 0.0 ? std::min(kMostDownDb, 10.0 * std::log10(kept / through)) : kMostDownDb;
}

} // namespace companion
