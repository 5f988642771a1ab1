#pragma once

#include "BlockStreamer.h"
#include "FftPlan.h"
#include "FrequencyRange.h"
#include "NoiseProfile.h"
#include "Tool.h"

#include <vector>

namespace companion
{

// Spectral noise reduction. A first pass learns the noise spectrum from the quietest frames
// (NoiseProfile); the second pass runs a short-time Fourier transform (Hann windows, 75 %
// overlap) and scales each bin inside the range by a Wiener gain from a decision-directed
// signal-to-noise estimate, never below the preset's floor. Bins outside the range pass
// unchanged.
class DenoiseTool : public Tool
{
public:
    struct Strength
    {
        double overSubtraction; // how many times the noise estimate counts
        double floor;           // lowest gain of a bin
    };

    DenoiseTool(Strength strength, const FrequencyRange& range);

    size_t latency() const override { return streamer_.latency() + frameSize_ - hop_; }
    void process(const float* in, float* out, size_t count) override;
    void reset() override;

    bool needsAnalysis() const override { return true; }
    void analyze(const float* in, size_t count) override;
    void finishAnalysis() override;

    static Strength presetStrength(int preset);
    static size_t frameSizeFor(double sampleRate);

private:
    void transformFrame(const float* frame); // windowed frame -> power_ and plan_ spectrum
    void processHop(const float* in, float* out);

    Strength strength_;
    size_t frameSize_;
    size_t hop_;
    size_t firstBin_;
    size_t lastBin_; // inclusive
    FftPlan plan_;
    std::vector<float> window_;
    std::vector<float> power_;
    std::vector<float> frame_;      // the last frameSize_ inputs
    std::vector<float> overlap_;    // overlap-add accumulator
    std::vector<float> cleanPower_; // per bin: the power kept in the previous frame
    size_t analysed_ = 0;           // inputs seen by analyze()
    NoiseProfile profile_;
    std::vector<float> noise_; // per bin; empty: nothing to remove
    BlockStreamer streamer_;
};

} // namespace companion
