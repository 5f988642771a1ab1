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
// band by a Wiener gain, never below the floor. Where the noise moves, each bin's noise is
// tracked instead: the lowest of its smoothed power over a window centred on the frame
// (look-back and look-ahead), taken only from frames whose band looks like noise (its
// powers spread around their local mean as noise's do, not peaked like a voice's
// harmonics or a note's partials), corrected for the minimum's bias. Within such a band a
// lone line standing far over the band's median is left out of both. The gain's
// signal-to-noise estimate is decision-directed both ways: forwards from what was kept of
// the past frames and backwards from the next kLookahead frames, so that neither onsets nor
// decays of speech are cut. Bins outside the band pass unchanged.
class DenoiseStage
{
public:
    struct Strength
    {
        double floor;     // lowest gain of a bin
        double smoothing; // weight of the neighbouring frame in the signal-to-noise estimate
    };

    // Works on bins [firstBin, lastBin] of a frameSize-point transform; an empty band
    // (lastBin < firstBin) leaves the signal as it is. The noise is tracked over
    // trackFrames frames either side of each frame.
    DenoiseStage(Strength strength, size_t frameSize, size_t firstBin, size_t lastBin,
                 size_t trackFrames);

    size_t latency() const
    {
        return streamer_.latency() + frameSize_ - hop_ + (kLookahead + track_) * hop_;
    }
    void process(const float* in, float* out, size_t count);
    void reset();

    void analyze(const float* in, size_t count);
    // The noise learnt; its misfit is judged over bins [firstFitBin, endFitBin).
    NoiseProfile::Estimate learn(size_t firstFitBin, size_t endFitBin);
    // What the gains are raised to: 1 in full, 0 leaves the signal as it is.
    void setExponent(double exponent) { exponent_ = exponent; }
    // How far the tracked noise takes over from the learnt: 0 leaves the learnt spectrum
    // in place throughout, 1 follows the noise as tracked.
    void setTracking(double tracking)
    {
        tracking_ = static_cast<float>(tracking);
        if (!inverseNoise_.empty()) restartTracking();
    }

    size_t bins() const { return plan_.bins(); }
    // The share of the analysed frames that were digital silence in the band.
    double silentShare() const
    {
        return analysisFrames_ > 0 ? static_cast<double>(silentFrames_) / analysisFrames_ : 0.0;
    }
    // The lowest and highest power per sample of the tracked noise in the band, over the
    // frames processed since the last reset (none: lowest above highest).
    double lowestNoise() const { return tracked() ? lowestNoise_ : learntNoise_; }
    double highestNoise() const { return tracked() ? highestNoise_ : learntNoise_; }

    static constexpr size_t kLookahead = 4; // frames
    static constexpr size_t kBlockFrames = 8; // the tracked noise changes once a block

private:
    struct Frame
    {
        std::vector<std::complex<float>> spectrum;
        std::vector<float> power;
        std::vector<float> inverseNoise; // of this frame, once tracked
        std::vector<float> forwardRatio; // the forward signal-to-noise estimate
    };
    struct Band
    {
        size_t first; // bins [first, end)
        size_t end;
        double centre; // in bins
    };

    void transformFrame(const float* frame); // windowed frame -> power_ and plan_ spectrum
    void processHop(const float* in, float* out);
    // Whether the band's powers spread around their local mean as noise's do.
    bool noiseLike(const float* power, size_t band);
    float spreadOf(const float* power, size_t band);
    void markLines(const float* power, size_t band); // -> line_ over the band
    void track(const float* power); // a new frame into the minima
    void updateTrackedNoise();       // at the end of a block of frames
    void restartTracking();
    void calibrateSpread();
    void calibrate(); // the minimum's bias, once the noise is learnt
    void localMeans(const float* power); // -> local_
    double toSamplePower(double binPower) const;
    void addSteadied(); // the analysed frame, its slow level moves taken out
    void applyGain(Frame& oldest);
    Frame& frameBack(size_t back) { return frames_[(newest_ + frames_.size() - back) % frames_.size()]; }
    bool tracked() const { return tracking_ > 0.0f && highestNoise_ > 0.0; }
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
    size_t track_;   // frames either side
    FftPlan plan_;
    std::vector<float> window_;
    std::vector<float> power_;
    std::vector<float> input_;   // the last frameSize_ inputs
    std::vector<float> overlap_; // overlap-add accumulator
    std::vector<Frame> frames_;  // the last track_ + kLookahead + 1 frames, a ring
    size_t newest_ = 0;          // ring index of the newest frame
    std::vector<Band> bands_;
    size_t frameCount_ = 0;          // frames transformed since the reset
    std::vector<float> scratch_;
    std::vector<float> gains_;       // per bin, of the frame going out
    std::vector<char> line_;         // per bin: a line stands there in this frame
    std::vector<float> local_;       // per bin: the mean power of the bins around it
    std::vector<float> spreadLimit_; // per band: widest log spread of noise's powers
    std::vector<float> smoothed_;    // per bin: power smoothed over frames
    std::vector<float> blockLowest_; // per block of the window, per bin: lowest noise-like
    std::vector<float> current_;     // per bin: lowest noise-like of the block under way
    size_t blocks_ = 2;              // in the window
    size_t block_ = 0;               // ring index of the next block
    size_t inBlock_ = 0;             // frames in the block under way
    std::vector<float> trackedInverse_; // per bin: the inverse of the noise now tracked
    float bias_ = 1.0f;              // noise's mean over its tracked lowest
    std::vector<float> kept_;    // per bin: the power kept in the previous frame, forwards
    std::vector<float> backward_;
    std::vector<float> backwardRatio_;
    size_t analysed_ = 0;             // inputs seen by analyze()
    NoiseProfile profile_;            // over the band's bins
    NoiseProfile steadyProfile_;      // the same with slow level moves taken out
    std::vector<float> steadied_;
    std::vector<float> analysisLevels_; // per analysis frame of the last few, per band
    size_t analysisFrames_ = 0;
    size_t silentFrames_ = 0;
    std::vector<float> inverseNoise_; // per band bin; empty: nothing to remove
    double exponent_ = 1.0;
    float tracking_ = 1.0f;
    double learntNoise_ = 0.0; // power per sample
    double lowestNoise_ = 0.0;
    double highestNoise_ = 0.0;
    BlockStreamer streamer_;
};

} // namespace companion
