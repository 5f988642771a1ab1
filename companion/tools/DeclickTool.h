#pragma once

#include "ArModel.h"
#include "BlockStreamer.h"
#include "ContextWindow.h"
#include "Tool.h"

#include <string>
#include <vector>

namespace companion
{

// Finds clicks as short bursts that a local autoregressive model predicts neither forwards
// nor backwards (both prediction errors far above the local robust error scale, `threshold`
// times its median-based estimate, or a few samples together well above it), and fills each
// by least-squares AR interpolation from both sides. Every other sample is handed on exactly as it came. A burst where the level
// before and after differs widely is the start or end of a sound, not a click.
class DeclickTool : public Tool
{
public:
    DeclickTool(double threshold, double sampleRate);

    size_t latency() const override { return streamer_.latency() + window_.coreBegin(); }
    void process(const float* in, float* out, size_t count) override;
    void reset() override;
    std::string finding() const override;

    static double presetThreshold(int preset);

private:
    void repairBlock(const float* in, float* out);
    void findCandidates(size_t frameBegin, std::vector<size_t>& flagged);
    // The absolute prediction errors from `from` on, their median per quarter frame and
    // both_, the smaller of the forward and backward errors standing out around each sample.
    void predictionErrors(size_t from);
    // The samples where both_ stands out against the local error scale, into flagged.
    void flagOutliers(size_t from, std::vector<size_t>& flagged) const;
    bool looksLikeOnset(size_t begin, size_t end) const;
    void fill(size_t begin, size_t end);

    double threshold_;
    size_t frame_;
    int order_;
    size_t maxSpan_;
    ContextWindow window_;
    BlockStreamer streamer_;
    ArModel model_;
    std::vector<double> work_;
    std::vector<double> errors_;
    std::vector<double> sorted_;
    std::vector<double> both_;
    std::vector<double> medians_; // the error scale of each quarter frame
    std::vector<double> backward_;
    std::vector<uint8_t> skip_;
    long clicks_ = 0;
    long samples_ = 0;
};

} // namespace companion
