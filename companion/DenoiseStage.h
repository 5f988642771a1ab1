#pragma once

#include "BlockStreamer.h"
#include "FftPlan.h"
#include "NoiseProfile.h"

#include <complex>
#include <vector>

namespace companion
{

// Spectral noise reduction at one time-frequency resolution, over one band of bins. A
// first pass learns the noise spectrum of the whole signal (NoiseProfile); the second runs
// a short-time Fourier transform (Hann windows, 75 % overlap) and scales each bin of the
// band by a Wiener gain, never below the floor. The gain's signal-to-noise estimate is
// decision-directed both ways: forwards from what was kept of the past frames and
// backwards from the next kLookahead frames, so that neither onsets nor decays of speech
// are cut. Bins outside the band pass unchanged.
class DenoiseStage
{
public:
    struct Strength
    {
        double floor;     // lowest gain of a bin
        double smoothing; // weight of the neighbouring frame in the signal-to-noise estimate
    };

    // Works on bins [firstBin, lastBin] of a frameSize-point transform; an empty band
    // (lastBin < firstBin) leaves the signal as it is.
    DenoiseStage(Strength strength, size_t frameSize, size_t firstBin, size_t lastBin);

    size_t latency() const { return streamer_.latency() + frameSize_ - hop_ + kLookahead * hop_; }
    void process(const float* in, float* out, size_t count);
    void reset();

    void analyze(const float* in, size_t count);
    // The noise learnt; its misfit is judged over bins [firstFitBin, endFitBin).
    NoiseProfile::Estimate learn(size_t firstFitBin, size_t endFitBin);
    // What the gains are raised to: 1 in full, 0 leaves the signal as it is.
    void setExponent(double exponent) { exponent_ = exponent; }

    size_t bins() const { return plan_.bins(); }

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
    void applyGain(Frame& oldest);
    float wiener(float ratio) const;
    bool active() const
    {
        return lastBin_ >= firstBin_ && !inverseNoise_.empty() && exponent_ > 0.0;
    }

    Strength strength_;
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
    std::vector<float> backwardRatio_;
    size_t analysed_ = 0;             // inputs seen by analyze()
    NoiseProfile profile_;            // over the band's bins
    std::vector<float> inverseNoise_; // per band bin; empty: nothing to remove
    double exponent_ = 1.0;
    BlockStreamer streamer_;
};

} // namespace companion
