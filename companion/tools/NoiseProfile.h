#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <vector>

namespace companion
{

// Learns the noise power spectrum of a whole signal in bounded memory. Each bin's power is
// counted in a histogram of classes 1/kClassesPerOctave of an octave wide; the estimate is,
// bin by bin, the noise power that explains the histogram when every frame is noise alone
// or noise with speech kSpeechOverNoiseDb above it, each weighted by how likely it is
// (expectation-maximisation run on the histogram). Speech that lasts through most of the
// signal therefore does not count as noise, as it would in a profile of the quietest frames.
// A bin counted in few of the frames, or whose powers barely move (a held note's partial),
// holds something steady that is not noise: its noise is at most that of the nearest bins
// either side learnt as noise.
class NoiseProfile
{
public:
    struct Estimate
    {
        std::vector<float> noise; // per bin, 0 where none was counted; empty when no frame was
        // How far the noise-like frames stray from stationary noise: 0 when their powers
        // spread as stationary Gaussian noise's do, about 0.4 for babble of other voices.
        double misfit = 0.0;
        double noiseFrames = 0.0; // the weight of the misfit: frames × bins judged noise
        // The misfit once the noise's slow level moves are taken out (filled in by DenoiseStage).
        double steadiedMisfit = 0.0;
        // Per bin of the fit band, the two sums the misfit is made of (0 elsewhere), so that
        // it can be told for any part of the band.
        std::vector<double> logSums;
        std::vector<double> weights;
    };

    explicit NoiseProfile(size_t bins);

    // `power` holds bins() values; a negative one is not counted (that bin held something
    // other than noise). Digital silence says nothing about the noise and is not counted.
    void addFrame(const float* power);
    // The misfit is measured over bins [firstFitBin, endFitBin); with fitOnly, only those
    // bins are estimated (the rest stay 0), when the misfit is all that is wanted.
    Estimate estimate(size_t firstFitBin, size_t endFitBin, bool fitOnly = false) const;

    size_t bins() const { return bins_; }
    size_t frames() const { return frames_; }

    static constexpr int kClassesPerOctave = 6; // about 0.5 dB
    static constexpr double kSpeechOverNoiseDb = 15.0;

    // The misfit of bins [first, end) of an estimate, 0 where they weigh nothing; their
    // weight (frames × bins judged noise) in *weight when given.
    static double misfitOver(const Estimate& estimate, size_t first, size_t end,
                             double* weight = nullptr);

private:
    struct Bin; // one bin's histogram reduced to its occupied classes

    Bin occupied(size_t bin) const;
    void settle() const; // counts the frames pending
    // The noise of a bin: the expectation step's fixed point nearest below.
    static double noiseOf(const Bin& bin);
    static void boundRareBins(const std::vector<char>& rare, std::vector<float>& noise);

    size_t bins_;
    size_t frames_ = 0;
    size_t seen_ = 0; // frames not silent, whether or not any bin was counted
    // Each frame's count lands in a row of its own per bin, far apart: the frames are
    // counted kPendingFrames at a time, bin by bin, so that a bin's row is loaded once for
    // them all. Counting is no observable change, hence mutable.
    static constexpr size_t kPendingFrames = 64;
    // bins × (1 + classes), from calloc: most classes of a bin are never counted, and their
    // pages need never be touched.
    struct Free
    {
        void operator()(uint32_t* memory) const { std::free(memory); }
    };
    mutable std::unique_ptr<uint32_t[], Free> counts_;
    mutable std::vector<int16_t> pending_; // kPendingFrames × bins classes, -1: not counted
    mutable size_t pendingFrames_ = 0;
    mutable size_t pendingFrom_ = 0; // the bins [from, end) any pending frame counts
    mutable size_t pendingEnd_ = 0;
};

} // namespace companion
