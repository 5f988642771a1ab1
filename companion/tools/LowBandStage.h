#pragma once

#include "DelayLine.h"
#include "DenoiseStage.h"

#include <vector>

namespace companion
{

// The Denoise stage below the crossover, run on the signal decimated by a power of two: its
// few bins need long frames but no full-rate transform. The signal is low-passed and
// decimated, the stage reduces the noise there, and only what it changed is interpolated
// back and added to the signal, delayed to match; so the band above passes exactly as it
// came. The one low-pass (Blackman-windowed sinc) serves both ways: it is flat over the
// stage's band and stops what would fold onto it.
class LowBandStage
{
public:
    // As DenoiseStage, with frameSize and the bins those of the full-rate transform.
    LowBandStage(DenoiseStage::Strength strength, double sampleRate, size_t frameSize,
                 size_t firstBin, size_t lastBin, size_t trackFrames);

    size_t latency() const { return delay_; }
    void analyze(const float* in, size_t count);
    // The noise learnt (bins as DenoiseStage's, at full rate); the stream starts anew.
    NoiseProfile::Estimate learn(size_t firstFitBin, size_t endFitBin);
    void process(const float* in, float* out, size_t count);
    void reset();

    DenoiseStage& stage() { return stage_; }
    const DenoiseStage& stage() const { return stage_; }
    size_t factor() const { return factor_; }

    // The largest power of two that keeps the decimated rate at least 8 times the highest
    // band edge, so that the low-pass has room between the band and what folds onto it.
    static size_t factorFor(double sampleRate, double highestHz);

private:
    size_t decimate(const float* in, size_t count); // -> decimated_, its length

    size_t factor_;
    std::vector<float> taps_;  // the low-pass, unit gain at 0 Hz
    std::vector<float> table_; // the same by phase, for the interpolation (see the constructor)
    DenoiseStage stage_;
    size_t delay_;
    DelayLine dry_;        // the full-rate signal, delayed to meet the change
    DelayLine dryLow_;     // the decimated signal, delayed as the stage delays it
    std::vector<float> edge_;     // the last taps_.size() - 1 inputs, then a block's first
    size_t phase_ = 0;            // inputs since the last decimated one
    std::vector<float> decimated_;
    std::vector<float> processed_;
    std::vector<float> changes_;      // the last changes that reach this block, then its own
    std::vector<float> interpolated_; // this block's changes, interpolated
    std::vector<float> pending_;      // interpolated change not yet handed out
};

} // namespace companion
