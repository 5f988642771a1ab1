#pragma once

#include "ArModel.h"
#include "BlockStreamer.h"
#include "ClickDetector.h"
#include "ContextWindow.h"
#include "Tool.h"

#include <string>
#include <vector>

namespace companion
{

// Removes clicks: the samples ClickDetector flags, a few close together taken as one click,
// are filled by least-squares AR interpolation from both sides. Every other sample is handed
// on exactly as it came. A burst where the level before and after differs widely is the start
// or end of a sound, not a click.
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
    bool looksLikeOnset(size_t begin, size_t end) const;
    void fill(size_t begin, size_t end);

    const size_t frame_;
    const int order_;
    const size_t maxSpan_;
    ClickDetector detector_;
    ContextWindow window_;
    BlockStreamer streamer_;
    ArModel model_; // the fill's, fitted around each click
    std::vector<double> work_;
    std::vector<uint8_t> skip_;
    long clicks_ = 0;
    long samples_ = 0;
};

} // namespace companion
