#pragma once

#include "BlockStreamer.h"
#include "FftPlan.h"
#include "NoiseProfile.h"

#include <array>
#include <complex>
#include <cstdint>
#include <limits>
#include <vector>

namespace companion
{

// Spectral noise reduction at one time-frequency resolution, over one band of bins. A
// first pass learns the noise spectrum of the whole signal (NoiseProfile); the second runs
// a short-time Fourier transform (Hann windows, 75 % overlap) and scales each bin of the
// band by a Wiener gain, never below the floor. Where the noise moves, each bin's noise is
// tracked instead, by the speech-presence MMSE estimator of Gerkmann and Hendriks (2012):
// each frame's noise power expected given the probability that speech is present,
// recursively averaged. Such an estimator follows a falling noise at once but takes a
// rising one for speech, so it runs both ways: forwards per bin, and backwards from
// track_ frames ahead per group of kGroupBins bins (a noise that rises falls, seen from
// after); the higher of the two holds, under a ceiling from the lowest powers of the frames
// either side (minimum statistics), which finds a noise that sinks under held speech. The
// forward estimate is averaged over the frames either side so that it does not lag. The gain's
// signal-to-noise estimate is decision-directed both ways too: forwards from what was kept of the
// past frames and backwards from the next kLookahead frames, so that neither onsets nor decays of
// speech are cut. Bins outside the band pass unchanged.
class DenoiseStage
{
public:
    struct Strength
    {
        double floor; // lowest gain of a bin
        // Weight of the neighbouring frame in the signal-to-noise estimate, below the speech
        // band (setSpeechBand); within it lighter, so that the estimate rises with a weak
        // syllable and its envelope stays; above it heavier.
        double smoothing;
        double speechSmoothing;
        double aboveSmoothing;
    };

    // Works on bins [firstBin, lastBin] of a frameSize-point transform; an empty band
    // (lastBin < firstBin) leaves the signal as it is. The noise is tracked backwards from
    // trackFrames frames ahead of each frame.
    DenoiseStage(Strength strength, size_t frameSize, size_t firstBin, size_t lastBin,
                 size_t trackFrames);

    size_t latency() const
    {
        return streamer_.latency() + frameSize_ - hop_ + (kLookahead + track_) * hop_;
    }
    void process(const float* in, float* out, size_t count);
    void reset();

    void analyze(const float* in, size_t count);
    // The noise learnt; its misfit is judged over bins [firstFitBin, endFitBin), the band
    // given to setFitBand() before the analysis.
    NoiseProfile::Estimate learn(size_t firstFitBin, size_t endFitBin);
    // Only these bins are counted for the misfit with the slow moves taken out.
    void setFitBand(size_t firstFitBin, size_t endFitBin)
    {
        steadyFirst_ = firstFitBin;
        steadyEnd_ = endFitBin;
    }
    // The samples that come through process() before the signal analysed (a stage before
    // this one delays it): past its end, only the zeros that flush the stream.
    void setStreamDelay(size_t samples) { streamDelay_ = samples; }
    // Bins under this one hold no voice: where noise was learnt there, all they hold is noise,
    // but for what stands far over it (an instrument's own offset).
    void setInfrasonicBins(size_t end) { infrasonic_ = end; }
    // Bins [firstBin, endBin) take the strength's speechSmoothing, those above it its
    // aboveSmoothing, those below its smoothing.
    void setSpeechBand(size_t firstBin, size_t endBin)
    {
        speechFirst_ = firstBin;
        speechEnd_ = endBin;
    }
    // What the gains are raised to: 1 in full, 0 leaves the signal as it is.
    void setExponent(double exponent) { exponent_ = exponent; }
    // How far the tracked noise takes over from the learnt: 0 leaves the learnt spectrum
    // in place throughout, 1 follows the noise as tracked.
    void setTracking(double tracking)
    {
        setBandTracking(std::vector<float>(bands_.size(), static_cast<float>(tracking)));
    }
    // The same per band of bandMoves().
    void setBandTracking(const std::vector<float>& perBand);
    // Per third-octave band, how much further its noise strays than it does once its slow
    // level moves are taken out, and the weight of that figure (frames × bins judged noise).
    const std::vector<double>& bandMoves() const { return bandMoves_; }
    const std::vector<double>& bandWeights() const { return bandWeights_; }

    size_t bins() const { return plan_.bins(); }
    // The share of the analysed frames that were digital silence in the band.
    double silentShare() const
    {
        return analysisFrames_ > 0 ? static_cast<double>(silentFrames_) / analysisFrames_ : 0.0;
    }
    // The lowest and highest power per sample of the tracked noise in the band, over the
    // frames processed since the last reset (none: lowest above highest).
    double lowestNoise() const { return tracked() ? lowestNoise_ : learntNoise_; }
    // The mean power per sample of the noise as estimated in the frames processed since the
    // last reset, and of what the gains let through of it (0 when no frame was heard).
    double noiseBefore() const
    {
        return noiseFrames_ ? toSamplePower(noiseBefore_ / noiseFrames_) : 0.0;
    }
    double noiseAfter() const
    {
        return noiseFrames_ ? toSamplePower(noiseAfter_ / noiseFrames_) : 0.0;
    }
    double highestNoise() const { return tracked() ? highestNoise_ : learntNoise_; }
    // How far, in dB, the quietest tenth of the frames heard since the last reset stands over
    // the noise estimated in them: near 0 where the noise is heard alone at times, far over
    // it where a sound never stops (music, or a noise taken for one); NaN when none was heard.
    double quietestOverNoise() const;

    // How far, in dB, the analysed frames stand over the noise learnt in the band (once
    // learnt), at `share` of them from the quietest: the quietest tenth stands near 0 where
    // the noise is heard alone at times, or where what was learnt is a sound that never
    // stops; NaN when nothing was learnt.
    double framesOverLearnt(double share) const;
    // The power in the band, in dB of bin power, under which `share` of the analysed frames
    // lie (digital silence aside); NaN when none was analysed.
    double framePowerDb(double share) const;
    double learntNoise() const { return learntNoise_; } // power per sample, 0 if none

    static constexpr size_t kLookahead = 2;    // frames
    static constexpr size_t kAroundFrames = 4; // either side, averaged for the tracked noise

private:
    struct Frame
    {
        FftPlan::Spectrum spectrum;
        std::vector<float> power;
        std::vector<float> inverseNoise;  // of this frame, once tracked
        std::vector<float> forwardRatio;  // the forward signal-to-noise estimate
        std::vector<float> expectedNoise; // its noise power expected given speech presence
        std::vector<float> groupPower;    // per group of kGroupBins bins
        std::vector<float> groupNoise;    // per group: the noise estimated backwards
        std::vector<float> groupCeiling;  // per group: the most the noise can be (kUnknown: any)
        bool silent = true;     // not estimated, or before the first sound: no noise learnt
        bool estimated = false; // its expected noise holds
    };
    struct Band
    {
        size_t first; // bins [first, end)
        size_t end;
        double centre; // in bins
    };

    void transformFrame(const float* frame); // windowed frame -> power_ and plan_ spectrum
    void transformFrame(const float* frame, std::complex<float>* spectrum, float* power);
    // Appends step <= frameSize_ inputs; returns the last frameSize_.
    const float* slide(const float* in, size_t step);
    void processHop(const float* in, float* out);
    // The noise of the tracked frame, once the newest is in.
    void noiseOf(Frame& newest, Frame& tracked);
    // The frame transformed back, windowed into the open sums; out takes the hop completed.
    void overlapAdd(float* out);
    // Whether the band's powers spread around their local mean as noise's do.
    bool noiseLike(const float* power, size_t band);
    float spreadOf(const float* power, size_t band);
    void deviations(const float* power); // -> the newest deviations, local_ given
    // Whether the band's fine structure follows the last analysed frame's as lasting
    // partials do, not as noise's.
    bool persistent(size_t band);
    float persistenceOf(size_t band, size_t lag);
    float* deviationsBack(size_t back); // the frame's deviations, back frames before the newest
    void calibratePersistence();
    void markLines(const float* power, size_t band); // -> line_ over the band
    void estimateNoise(Frame& newest); // its expected noise, and the recursive average
    void composeNoise(Frame& frame);   // its tracked noise, from the frames either side
    float aroundPower(size_t bin);     // its mean over the frames composeNoise() averages
    void estimateBackwards();          // over the frames ahead, per group of bins
    void estimateCeiling();            // per group, for the frames composed next
    void calibrateCeiling();
    void restartTracking();
    void calibrateSpread();
    void localMeans(const float* power); // -> local_
    double toSamplePower(double binPower) const;
    void addSteadied(); // the analysed frame, its slow level moves taken out
    void applyGain(Frame& oldest);
    void countNoise(const Frame& frame, const float* gains); // -> noiseBefore_, noiseAfter_
    // Calls step(first, end, smoothing) over the band's bins, split at the speech band's edges.
    template <typename Step> void bySmoothing(Step step) const;
    Frame& frameBack(size_t back)
    {
        return frames_[(newest_ + frames_.size() - back) % frames_.size()];
    }
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
    // The speech band, [speechFirst_, speechEnd_); none given: every bin takes smoothing.
    size_t speechFirst_ = std::numeric_limits<size_t>::max();
    size_t speechEnd_ = std::numeric_limits<size_t>::max();
    size_t track_; // frames either side
    FftPlan plan_;
    std::vector<float> window_;
    std::vector<float> power_;
    std::vector<float> input_; // the last frameSize_ inputs end at inputEnd_
    size_t inputEnd_ = 0;
    std::vector<float> overlap_; // overlap-add accumulator, open from overlapStart_
    size_t overlapStart_ = 0;
    static constexpr size_t kSlackFrames = 4; // the buffers' room, in frames
    std::vector<Frame> frames_; // the last track_ + kAroundFrames + 1 frames at least, a ring
    size_t newest_ = 0;         // ring index of the newest frame
    std::vector<Band> bands_;
    size_t frameCount_ = 0; // frames transformed since the reset
    std::vector<float> scratch_;
    std::vector<float> gains_;        // per bin, of the frame going out
    std::vector<float> smoothed_;     // the same smoothed over frequency
    std::vector<char> line_;          // per bin: a line stands there in this frame
    std::vector<float> local_;        // per bin: the mean power of the bins around it
    std::vector<float> spreadLimit_;  // per band: widest log spread of noise's powers
    std::vector<float> persistLimit_; // per band: most that noise's fine structure persists
    // Per band bin, log power over the local mean, of the last longLag_ + 1 analysed frames.
    std::vector<float> deviations_;
    size_t deviationFrames_ = 0; // analysed since the calibration
    size_t longLag_ = 0;
    std::vector<float> averaged_; // per bin: the recursively averaged noise power
    std::vector<float> presence_; // per bin: speech presence probability, smoothed
    bool heard_ = false;          // a frame past the padding, not silent, since the reset
    size_t groups_ = 0;           // of kGroupBins bins over the band
    std::vector<float> backwardNoise_;
    std::vector<float> backwardPresence_;
    std::vector<float> groupExpected_;
    static constexpr size_t kGroupBins = 4;     // estimated backwards together
    static constexpr size_t kBackwardEvery = 8; // hops
    static constexpr size_t kComposeEvery = 4;  // hops
    size_t ceilingFrames_ = 0;                  // either side of a frame, for the ceiling's minima
    float ceilingBias_ = 1.0f; // the noise's mean over the ceiling's minima, on noise alone
    std::vector<float> kept_;  // per bin: the power kept in the previous frame, forwards
    size_t analysed_ = 0;      // inputs seen by analyze()
    size_t streamDelay_ = 0;
    size_t infrasonic_ = 0;
    NoiseProfile profile_;       // over the band's bins
    NoiseProfile steadyProfile_; // the same with slow level moves taken out
    std::vector<float> steadied_;
    size_t steadyFirst_ = 0; // the fit band, in bins
    size_t steadyEnd_ = std::numeric_limits<size_t>::max();
    std::vector<float> analysisLevels_; // per analysis frame of the last few, per band
    size_t analysisFrames_ = 0;
    size_t silentFrames_ = 0;
    std::vector<float> inverseNoise_; // per band bin; empty: nothing to remove
    std::vector<float> learntBins_;   // its inverse, per bin
    std::vector<float> around_;       // per band bin: the tracked noise averaged over bins
    double exponent_ = 1.0;
    float tracking_ = 1.0f;  // the most of mix_
    std::vector<float> mix_; // per bin: how far the tracked noise takes over
    std::vector<double> bandMoves_;
    std::vector<double> bandWeights_;
    double learntNoise_ = 0.0; // power per sample
    double lowestNoise_ = 0.0;
    double noiseBefore_ = 0.0; // summed over the frames heard, in bin power
    double noiseAfter_ = 0.0;
    size_t noiseFrames_ = 0;
    // The frames heard by how far they stand over their noise, in classes 1 dB wide.
    static constexpr int kOverNoiseFloorDb = -20;
    static constexpr size_t kOverNoiseClasses = 140; // up to 120 dB over
    std::array<uint32_t, kOverNoiseClasses> overNoise_{};
    // The analysed frames by their power in the band, in classes 1 dB wide from
    // kFrameFloorDb (digital silence, under it, is not counted).
    static constexpr int kFrameFloorDb = -180;
    static constexpr size_t kFrameClasses = 320;
    std::array<uint32_t, kFrameClasses> framePowers_{};
    double learntBandPower_ = 0.0; // the learnt noise summed over the band, in bin power
    double highestNoise_ = 0.0;
    BlockStreamer streamer_;
};

} // namespace companion
