#pragma once

#include "AlignedStage.h"
#include "SampleSource.h"
#include "SampleSpill.h"

#include <atomic>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace companion
{

// Runs a source through tools in order, with bounded memory: block by block, each tool
// aligned with its input. A tool that must measure first is given, in an earlier pass, the
// output of the tools before it. That output is kept in a spill (an unnamed temporary file
// past a few megabytes) for the passes after it, so each tool processes the signal once
// however many tools after it measure; without room for a spill the tools run again.
class ToolChain
{
public:
    // Called with the share of the current pass done (0 to 1) and the pass number.
    using Progress = std::function<void(int pass, int passes, double done)>;

    explicit ToolChain(std::vector<std::unique_ptr<Tool>> tools);

    size_t size() const { return stages_.size(); }
    // Each tool's finding, in chain order, once run() has completed.
    std::vector<std::string> findings() const;
    int passes() const;
    // False on a read error, when the sink refuses or once `*stop` turns true (checked
    // between blocks); `error` says which.
    bool run(SampleSource& source, SampleSink& sink, std::string& error,
             const Progress& progress = {}, const std::atomic<bool>* stop = nullptr);

private:
    using Consumer = std::function<bool(const float*, size_t)>;
    bool stream(SampleSource& source, size_t stageCount, const Consumer& consume,
                std::string& error, const std::function<void(double)>& progress,
                const std::atomic<bool>* stop);
    // Streams source through stages [first, stageCount) into consume.
    bool pump(SampleSource& source, size_t first, size_t stageCount, const Consumer& consume,
              std::string& error, const std::function<void(double)>& progress,
              const std::atomic<bool>* stop);
    bool passThrough(size_t from, size_t stageCount, const float* in, size_t count,
                     const Consumer& consume);

    std::vector<AlignedStage> stages_;
    // The output of the first keptStages_ stages over the whole input, when kept.
    std::unique_ptr<SampleSpill> kept_;
    size_t keptStages_ = 0;
    // Reused from block to block: allocating them anew would cost page faults each time.
    std::vector<float> input_;
    std::vector<float> tail_;
    std::vector<float> between_[2]; // the stages write them by turns
};

} // namespace companion
