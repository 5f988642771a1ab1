#pragma once

#include "ArModel.h"
#include "BlockStreamer.h"
#include "ContextWindow.h"
#include "SampleSpill.h"
#include "Tool.h"

#include <cstdint>
#include <string>
#include <vector>

namespace companion
{

// Rebuilds clipped runs. A first pass finds the clip level of each polarity from the
// histogram of sample magnitudes (a pile of samples at the very top, so a clipped file
// turned down afterwards is found too); a second rebuilds every run at or beyond the level
// by AR interpolation held beyond the level (Janssen rounds: the models fitted on the
// clipped signal, then again on the rebuilt one) and measures the rebuilt peak; the output
// pass writes the same samples (kept from the measuring pass: the first in memory, the rest
// in an unnamed temporary file, so each run is solved once whatever the length) and lowers
// the whole file just enough for that peak to fit under 0 dBFS. Input without
// clipping, a side at the level most of the time and runs too long to be clipping are
// handed on exactly as they came.
class DeclipTool : public Tool
{
public:
    // Rebuilt samples the measuring pass keeps in memory for the output pass (8 MB); the rest
    // go to a temporary file, and only when that fails are they solved again.
    static constexpr size_t kKeptInMemory = size_t{1} << 21;

    explicit DeclipTool(double sampleRate, size_t keptInMemory = kKeptInMemory);

    // Without clipping the input is handed on at once.
    size_t latency() const override
    {
        return clipped_ ? streamer_.latency() + window_.coreBegin() : 0;
    }
    void process(const float* in, float* out, size_t count) override;
    void reset() override;

    int analysisPasses() const override { return 2; }
    void analyze(const float* in, size_t count) override;
    void finishAnalysis() override;
    std::string finding() const override;

    double level(bool positive) const { return positive ? high_ : low_; }
    double gain() const { return gain_; }

private:
    void rebuildBlock(const float* in, float* out);
    // The runs at or beyond the clip levels into side_, those too long to be clipping left out.
    void findRuns();
    // Whether the lone sample x[i] at the level (of n) is the top of a smooth curve.
    bool naturalPeak(const float* x, size_t i, size_t n) const;
    // The runs of the core into groups_, runs closer than the order in one.
    void findGroups();
    // One Janssen round over every group.
    void rebuildGroups();
    // The model of one frame of the core, on the samples as rebuilt so far; false for silence.
    bool fitFrame(size_t frame);
    template <typename Function> void forEachUnknown(Function function) const;
    // Keeps the rebuilt samples of the measuring pass for the output pass while it can.
    void keep(size_t block, size_t unknowns);
    // Hands the rebuilt samples to the window, marked so that the next block keeps them.
    void hand();
    void countMagnitudes(const float* in, size_t count);
    void decideLevels();

    size_t frame_;
    size_t longestRun_;
    int order_;
    ContextWindow window_;
    BlockStreamer streamer_;
    ArModel model_;
    // A frame's autocorrelation, and where and what its rebuilt samples were at its last fit.
    struct FrameFit
    {
        bool correlated = false;
        std::vector<double> autocorrelation;
        std::vector<size_t> unknowns; // in the fit's span
        std::vector<double> values;
    };
    std::vector<FrameFit> fits_;
    std::vector<double> before_;
    std::vector<uint64_t> positive_;
    std::vector<uint64_t> negative_;
    float sidePeak_[2] = {0.0f, 0.0f}; // positive, negative
    uint64_t belowTop_[2] = {0, 0};    // samples counted towards a side's total alone
    int pass_ = 0;
    bool clipped_ = false;
    double high_ = 0.0; // samples at or above are clipped (when the positive side is)
    double low_ = 0.0;  // samples at or below are clipped (when the negative side is)
    bool highClipped_ = false;
    bool lowClipped_ = false;
    double peak_ = 0.0;
    double gain_ = 1.0;
    bool mostOfTheSide_ = false;
    long runs_ = 0;
    long samples_ = 0;
    long longRuns_ = 0;
    long longRunsFound_ = 0; // by the measuring pass
    // Rebuilt samples of the first cachedBlocks_ blocks, as the measuring pass wrote them.
    SampleSpill cache_;
    bool cacheOpen_ = true;
    size_t cachedBlocks_ = 0;
    size_t blocks_ = 0;
    std::vector<float> rebuilt_;
    std::vector<double> work_;
    std::vector<int8_t> side_;
    std::vector<uint8_t> held_;                     // samples held at the level by the last round
    std::vector<std::pair<size_t, size_t>> groups_; // [first, end) in the window
    std::vector<float> scratch_;
};

} // namespace companion
