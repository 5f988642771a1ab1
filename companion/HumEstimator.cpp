#include "HumEstimator.h"

#include "HumCanceller.h"

#include <algorithm>
#include <cmath>

namespace companion
{

namespace
{
constexpr size_t kHalfWidth = 10; // hops either side: the steady part over 2 s
// Steady power over what the smoothing let through of the rest: for harmonics 1 to 3,
// which need nothing else to be hum, and for the higher ones, which must also fit the series.
constexpr double kLineMargin = 4.0;
constexpr double kSeriesLineMargin = 1.5;
constexpr double kQuietestAmplitude = 3e-5; // a line below -90 dBFS is no hum
constexpr double kSeriesSpread = 16.0;      // 12 dB over the strongest neighbour
constexpr int kGrounding = 3;               // harmonics that are hum whenever they are lines
constexpr double kMostDownDb = 60.0;
} // namespace

HumEstimator::HumEstimator(double mainsHz, size_t harmonics, const FrequencyRange& range)
    : mainsHz_(mainsHz), range_(range), tracker_(mainsHz, harmonics, range.sampleRate),
      smoother_(kHalfWidth), steady_(tracker_.harmonics(), 0.0), raw_(tracker_.harmonics(), 0.0),
      passed_(tracker_.harmonics(), 0.0)
{
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
    for (size_t k = 0; k < steady_.size(); ++k)
    {
        steady_[k] += w * std::norm(centre.steady[k]);
        raw_[k] += w * std::norm(centre.hop.amplitude[k]);
        passed_[k] += w * centre.share *
                      std::norm(std::complex<double>(centre.hop.amplitude[k]) -
                                std::complex<double>(centre.steady[k]));
    }
}

HumModel HumEstimator::finish()
{
    // The last partial hop, then empty hops until every real one has been the centre.
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

    HumModel model;
    model.mainsHz = mainsHz_;
    model.harmonics = steady_.size();
    model.hum.assign(steady_.size(), false);
    model.clarity.assign(steady_.size(), 0.0);
    if (hops_ <= 0.0) return model;
    model.meanHz = hzSum_ / hops_;
    const size_t n = steady_.size();
    std::vector<bool> line(n);
    for (size_t k = 0; k < n; ++k)
    {
        // Past the grounding harmonics a line need only stand above its noise: the series
        // rule below is what tells it from a tone.
        const double margin = k < kGrounding ? kLineMargin : kSeriesLineMargin;
        line[k] = steady_[k] >= margin * passed_[k] &&
                  steady_[k] >= hops_ * kQuietestAmplitude * kQuietestAmplitude;
    }
    bool grounded = false;
    for (size_t k = 0; k < n && k < kGrounding; ++k)
        grounded = grounded || line[k];
    if (!grounded) return model;
    double kept = 0.0;
    double through = 0.0;
    const double passed = HumSmoother(HumCanceller::kHalfWidth).noiseShare();
    for (size_t k = 0; k < n; ++k)
    {
        if (!line[k]) continue;
        if (k >= kGrounding)
        {
            double neighbour = 0.0;
            for (size_t j = k >= 2 ? k - 2 : 0; j <= k + 2 && j < n; ++j)
                if (j != k) neighbour = std::max(neighbour, steady_[j]);
            if (steady_[k] > kSeriesSpread * neighbour) continue; // a tone of its own
        }
        const double hz = (k + 1) * mainsHz_;
        if (hz < range_.low || hz > range_.high) continue;
        model.hum[k] = true;
        model.clarity[k] = steady_[k] / (passed_[k] + 1e-30);
        kept += steady_[k];
        through += passed * std::max(raw_[k] - steady_[k], 0.0);
    }
    model.power = kept / hops_;
    model.downDb =
        through > 0.0 ? std::min(kMostDownDb, 10.0 * std::log10(kept / through)) : kMostDownDb;
    return model;
}

} // namespace companion
