#include "GainTool.h"

#include "FirDesign.h"

#include <cmath>

namespace companion
{

double GainTool::presetDb(int preset)
{
    static const double kPresetDb[] = {-12.0, -6.0, -3.0, 3.0, 6.0};
    return kPresetDb[preset];
}

GainTool::GainTool(double gainDb, const FrequencyRange& range)
    : gain_(static_cast<float>(std::pow(10.0, gainDb / 20.0)))
{
    if (range.coversFullBand()) return;
    std::vector<float> taps = FirDesign::bandPass(range);
    for (float& tap : taps)
        tap *= gain_ - 1.0f;
    taps[taps.size() / 2] += 1.0f;
    filter_ = std::make_unique<LinearPhaseFilter>(taps);
}

void GainTool::process(const float* in, float* out, size_t count)
{
    if (filter_)
    {
        filter_->process(in, out, count);
        return;
    }
    for (size_t i = 0; i < count; ++i)
        out[i] = in[i] * gain_;
}

void GainTool::reset()
{
    if (filter_) filter_->reset();
}

} // namespace companion
