#include "NormalizeTool.h"

#include <algorithm>
#include <cmath>

#include <ebur128.h>

namespace companion
{

namespace
{
double fromDb(double db)
{
    return std::pow(10.0, db / 20.0);
}
} // namespace

NormalizeTool::NormalizeTool(Target target, double level, double sampleRate)
    : target_(target), level_(level),
      // A peak target needs no loudness meter: the peak is cheaper to track here.
      meter_(target == Target::Lufs
                 ? ebur128_init(1, static_cast<unsigned long>(sampleRate), EBUR128_MODE_I)
                 : nullptr)
{
}

NormalizeTool::~NormalizeTool()
{
    if (meter_) ebur128_destroy(&meter_);
}

std::unique_ptr<NormalizeTool> NormalizeTool::makePreset(int preset, double sampleRate)
{
    struct Choice
    {
        Target target;
        double level;
    };
    static const Choice kPresets[] = {{Target::PeakDb, -1.0},
                                      {Target::PeakDb, -0.1},
                                      {Target::Lufs, -23.0},
                                      {Target::Lufs, -16.0},
                                      {Target::Lufs, -14.0}};
    const Choice& choice = kPresets[preset];
    return std::make_unique<NormalizeTool>(choice.target, choice.level, sampleRate);
}

void NormalizeTool::analyze(const float* in, size_t count)
{
    float peak = peak_;
    for (size_t i = 0; i < count; ++i)
        peak = std::max(peak, std::fabs(in[i]));
    peak_ = peak;
    if (meter_) ebur128_add_frames_float(meter_, in, count);
}

void NormalizeTool::finishAnalysis()
{
    gain_ = 1.0;
    const double peak = peak_;
    if (!(peak > 0.0) || !std::isfinite(peak)) return;
    const double ceiling = fromDb(kPeakCeilingDb) / peak;
    if (target_ == Target::PeakDb)
    {
        gain_ = fromDb(level_) / peak;
        return;
    }
    double loudness = 0.0;
    if (!meter_ || ebur128_loudness_global(meter_, &loudness) != EBUR128_SUCCESS ||
        !std::isfinite(loudness))
        return;
    gain_ = std::min(fromDb(level_ - loudness), ceiling);
}

void NormalizeTool::process(const float* in, float* out, size_t count)
{
    const float gain = static_cast<float>(gain_);
    for (size_t i = 0; i < count; ++i)
        out[i] = in[i] * gain;
}

} // namespace companion
