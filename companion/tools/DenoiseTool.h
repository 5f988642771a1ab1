#pragma once

#include "DenoiseStage.h"
#include "FrequencyRange.h"
#include "LowBandStage.h"
#include "Tool.h"

#include <vector>

namespace companion
{

// Noise reduction inside the range, in two DenoiseStages one after the other: below
// kCrossoverHz frames twice as long, to tell the voice's harmonics from the dense noise
// there (on the signal decimated, LowBandStage), above it the shorter frames that follow
// speech closely. The first pass tells how
// far the noise strays from steady, as it is and with its slow level moves taken out:
// noise that moves only in level or colour is tracked through time, steady noise is met by
// its whole-file profile. Noise that strays even then (other voices) cannot be told from
// speech by its spectrum, so the gains are eased, never to nothing; only voices over
// digital silence, with no noise anywhere, pass as they came. Under 20 Hz, where no voice
// sounds, what the noise was learnt in is all noise, but a steady offset goes round the
// stages and stays. Bins outside the range pass unchanged.
class DenoiseTool : public Tool
{
public:
    using Strength = DenoiseStage::Strength;

    DenoiseTool(Strength strength, const FrequencyRange& range);

    size_t latency() const override { return low_.latency() + high_.latency(); }
    void process(const float* in, float* out, size_t count) override;
    void reset() override;

    int analysisPasses() const override { return 1; }
    void analyze(const float* in, size_t count) override;
    void finishAnalysis() override;
    std::string finding() const override;

    // What the gains are raised to once the noise is learnt: 1 for stationary noise, down
    // to 0.4 for noise that strays as far as babble.
    double gainExponent() const { return exponent_; }

    static Strength presetStrength(int preset);
    static size_t frameSizeFor(double sampleRate);

    static constexpr double kCrossoverHz = 600.0;

private:
    // From the noise learnt: tracking_ and exponent_, and each band's tracking.
    void chooseTracking();
    float steadyOffset() const;
    // Whether the sound never paused under the crossover (nothing there looked like noise).
    bool heldUnderCrossover() const;
    // Where the sound is held under the crossover: whether what was learnt as noise over it
    // is that sound's own floor (left as it was then).
    bool floorLearntAsNoise() const;
    // The report's note on a sound that never falls to the noise; empty when it does.
    std::string neverQuiet() const;

    double sampleRate_;
    size_t frameSize_; // of the upper stage
    LowBandStage low_;
    DenoiseStage high_;
    std::vector<float> centred_;
    std::vector<float> between_;
    size_t offsetBlock() const { return static_cast<size_t>(sampleRate_ / 2.0) + 1; }
    // The samples analysed: their sum over whole blocks of offsetBlock(), the sum of the
    // open block, and the sums of the blocks' means and of their squares.
    double sum_ = 0.0;
    double blockSum_ = 0.0;
    double blockMeans_ = 0.0;
    double blockSquares_ = 0.0;
    size_t analysed_ = 0;
    float offset_ = 0.0f; // their steady offset, taken round the stages
    double exponent_ = 1.0;
    double tracking_ = 0.0;
    bool silentVoices_ = false; // voices over digital silence: no noise to remove
    bool soundAsNoise_ = false; // what looked like noise is a sound that never paused
};

} // namespace companion
