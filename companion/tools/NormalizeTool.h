#pragma once

#include "Tool.h"

#include <memory>

#include <ebur128.h>

namespace companion
{

// Brings the whole signal to a sample-peak or an integrated-loudness target with one gain,
// measured in a first pass. A loudness target never lifts the sample peak above
// kPeakCeilingDb; a silent input, or one too short to measure, is left as it is.
class NormalizeTool : public Tool
{
public:
    enum class Target
    {
        PeakDb,
        Lufs
    };

    NormalizeTool(Target target, double level, double sampleRate);
    ~NormalizeTool() override;

    void process(const float* in, float* out, size_t count) override;

    int analysisPasses() const override { return 1; }
    void analyze(const float* in, size_t count) override;
    void finishAnalysis() override;

    double gain() const { return gain_; }

    static std::unique_ptr<NormalizeTool> makePreset(int preset, double sampleRate);
    static constexpr double kPeakCeilingDb = -0.1;

private:
    Target target_;
    double level_;
    ebur128_state* meter_; // only for a loudness target
    float peak_ = 0.0f;    // sample peak of the analysed input
    double gain_ = 1.0;
};

} // namespace companion
