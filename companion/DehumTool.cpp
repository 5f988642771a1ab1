#include "DehumTool.h"

#include "HumEstimator.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace companion
{

namespace
{
// The harmonics of `mains` inside the range that a record at `rate` points per second can
// hold with their whole neighbourhood.
HumEstimator::Series seriesFor(double mains, const FrequencyRange& range, double rate)
{
    HumEstimator::Series series;
    series.mainsHz = mains;
    const double top = std::min({range.high, DehumTool::kHighestHz, range.nyquist() - rate});
    for (int k = 1; k * mains <= top; ++k)
    {
        if (k * mains < range.low) continue;
        series.harmonics.push_back(k);
        series.carriers.push_back(series.harmonics.size() - 1);
    }
    return series;
}

size_t periodSamples(double mains, double sampleRate)
{
    return std::max<size_t>(1, static_cast<size_t>(std::lround(sampleRate / mains)));
}
} // namespace

double DehumTool::presetHz(int preset)
{
    static const double kPresets[] = {50.0, 60.0, kAuto};
    return kPresets[preset];
}

DehumTool::DehumTool(double mainsHz, const FrequencyRange& range) : range_(range)
{
    candidates_ = mainsHz == kAuto ? std::vector<double>{50.0, 60.0} : std::vector<double>{mainsHz};
}

void DehumTool::analyze(const float* in, size_t count)
{
    if (recorders_.empty())
    {
        for (double mains : candidates_)
        {
            const size_t block = periodSamples(mains, range_.sampleRate);
            std::vector<double> carriers;
            for (int k : seriesFor(mains, range_, range_.sampleRate / block).harmonics)
                carriers.push_back(k * mains);
            recorders_.emplace_back(carriers, range_.sampleRate, block);
        }
    }
    for (BasebandRecorder& recorder : recorders_)
        recorder.add(in, count);
}

void DehumTool::finishAnalysis()
{
    canceller_.reset();
    mainsHz_ = 0.0;
    harmonics_ = 0;
    HumModel best;
    for (size_t i = 0; i < recorders_.size(); ++i)
    {
        const HumEstimator::Series series =
            seriesFor(candidates_[i], range_, recorders_[i].rate());
        HumModel model = HumEstimator::estimate(recorders_[i], series);
        if (!model.components.empty() && model.power() > best.power()) best = std::move(model);
    }
    recorders_.clear(); // the records are large and no longer needed
    if (best.components.empty()) return;
    mainsHz_ = best.mainsHz;
    harmonics_ = best.components.size();
    canceller_ = std::make_unique<HumCanceller>(std::move(best), range_.sampleRate);
}

double DehumTool::detectedMainsHz() const
{
    return mainsHz_;
}

size_t DehumTool::detectedHarmonics() const
{
    return harmonics_;
}

void DehumTool::process(const float* in, float* out, size_t count)
{
    if (canceller_)
    {
        canceller_->process(in, out, count);
        return;
    }
    if (in != out) std::memmove(out, in, count * sizeof(float));
}

void DehumTool::reset()
{
    if (canceller_) canceller_->reset();
}

} // namespace companion
