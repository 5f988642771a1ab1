#pragma once

#include "FrequencyRange.h"
#include "LinearPhaseFilter.h"
#include "Tool.h"

#include <memory>

namespace companion
{

// Scales the band inside the range by a fixed gain. Over the full band this is a plain
// multiplication; otherwise the signal is split as x = band + rest with a linear-phase band
// filter and only the band is scaled, which is one filter with taps delta + (g - 1) * band.
class GainTool : public Tool
{
public:
    GainTool(double gainDb, const FrequencyRange& range);

    size_t latency() const override { return filter_ ? filter_->latency() : 0; }
    void process(const float* in, float* out, size_t count) override;
    void reset() override;

    static double presetDb(int preset);

private:
    float gain_;
    std::unique_ptr<LinearPhaseFilter> filter_;
};

} // namespace companion
