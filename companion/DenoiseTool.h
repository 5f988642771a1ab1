#pragma once

#include "BlockStreamer.h"
#include "FftPlan.h"
#include "FrequencyRange.h"
#include "NoiseProfile.h"
#include "Tool.h"

#include <complex>
#include <vector>

namespace companion
{

// Spectral noise reduction. A first pass learns the noise spectrum of the whole signal
// (NoiseProfile); the second runs a short-time Fourier transform (Hann windows, 75 %
// overlap) and scales each bin inside the range by a Wiener gain, never below the preset's
// floor. The gain's signal-to-noise estimate is decision-directed both ways: forwards from
// what was kept of the past frames and backwards from the next kLookahead frames, so that
// neither onsets nor decays of speech are cut. Noise that strays far from stationary (other
// voices) cannot be told from speech by its spectrum, so the gain is eased towards 1 as far
// as the profile says it strays. Bins outside the range pass unchanged.
class DenoiseTool : public Tool
{
public:
    struct Strength
    {
        double floor;     // lowest gain of a bin
        double smoothing; // weight of the neighbouring frame in the signal-to-noise estimate
    };

    DenoiseTool(Strength strength, const FrequencyRange& range);

    size_t latency() const override
    {
        return streamer_.latency() + frameSize_ - hop_ + kLookahead * hop_;
    }
    void process(const float* in, float* out, size_t count) override;
    void reset() override;

    bool needsAnalysis() const override { return true; }
    void analyze(const float* in, size_t count) override;
    void finishAnalysis() override;

    static Strength presetStrength(int preset);
    static size_t frameSizeFor(double sampleRate);
    // What the gains are raised to once the noise is learnt: 1 for stationary noise, down
    // to 0 (nothing removed) for noise that strays as far as babble.
    double gainExponent() const { return exponent_; }

    static constexpr size_t kLookahead = 4; // frames

private:
    struct Frame
    {
        std::vector<std::complex<float>> spectrum;
        std::vector<float> power;
        std::vector<float> forwardRatio; // the forward signal-to-noise estimate
    };

    void transformFrame(const float* frame); // windowed frame -> power_ and plan_ spectrum
    void processHop(const float* in, float* out);
    void applyGain(Frame& oldest, size_t newest);
    float wiener(float ratio) const;

    Strength strength_;
    double sampleRate_;
    size_t frameSize_;
    size_t hop_;
    size_t analysisHop_;
    size_t firstBin_;
    size_t lastBin_; // inclusive
    FftPlan plan_;
    std::vector<float> window_;
    std::vector<float> power_;
    std::vector<float> input_;   // the last frameSize_ inputs
    std::vector<float> overlap_; // overlap-add accumulator
    std::vector<Frame> frames_;  // the last kLookahead + 1 frames, a ring
    size_t newest_ = 0;          // ring index of the newest frame
    std::vector<float> kept_;    // per bin: the power kept in the previous frame, forwards
    std::vector<float> backward_;
    size_t analysed_ = 0; // inputs seen by analyze()
    NoiseProfile profile_;
    std::vector<float> inverseNoise_; // per bin; empty: nothing to remove
    double exponent_ = 1.0;
    BlockStreamer streamer_;
};

} // namespace companion
