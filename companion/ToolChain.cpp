#include "ToolChain.h"

#include "CompanionConstants.h"

#include <algorithm>
#include <optional>

namespace companion
{

namespace
{
// What a spill keeps in memory before it goes to its file: 4 MB.
constexpr size_t kSpillMemorySamples = size_t{1} << 20;

// A spill read as a source, from its start.
class SpillSource : public SampleSource
{
public:
    explicit SpillSource(SampleSpill& spill) : spill_(spill) {}
    long read(float* out, size_t count) override
    {
        const size_t n = std::min(count, spill_.size() - at_);
        if (n > 0 && !spill_.read(out, n)) return -1;
        at_ += n;
        return static_cast<long>(n);
    }
    bool rewind() override
    {
        spill_.rewind();
        at_ = 0;
        return true;
    }
    size_t length() const override { return spill_.size(); }

private:
    SampleSpill& spill_;
    size_t at_ = 0;
};
} // namespace

ToolChain::ToolChain(std::vector<std::unique_ptr<Tool>> tools)
{
    stages_.reserve(tools.size());
    for (auto& tool : tools)
        stages_.emplace_back(std::move(tool));
}

std::vector<std::string> ToolChain::findings() const
{
    std::vector<std::string> all;
    all.reserve(stages_.size());
    for (const auto& stage : stages_)
        all.push_back(stage.tool().finding());
    return all;
}

int ToolChain::passes() const
{
    int count = 1;
    for (const auto& stage : stages_)
        count += stage.tool().analysisPasses();
    return count;
}

bool ToolChain::passThrough(size_t from, size_t stageCount, const float* in, size_t count,
                            const Consumer& consume)
{
    int next = 0;
    for (size_t i = from; i < stageCount; ++i)
    {
        // Each stage reads the buffer the previous one wrote and writes the other.
        std::vector<float>& out = between_[next];
        out.clear();
        stages_[i].push(in, count, out);
        in = out.data();
        count = out.size();
        next ^= 1;
    }
    return count == 0 || consume(in, count);
}

bool ToolChain::stream(SampleSource& input, size_t stageCount, const Consumer& consumeOutput,
                       std::string& error, const std::function<void(double)>& progress,
                       const std::atomic<bool>* stop)
{
    // Start from the output kept of the stages before, where there is one.
    std::optional<SpillSource> keptSource;
    size_t first = 0;
    if (kept_ && keptStages_ <= stageCount)
    {
        keptSource.emplace(*kept_);
        first = keptStages_;
    }
    SampleSource& source = keptSource ? static_cast<SampleSource&>(*keptSource) : input;

    // A pass that is not the last keeps its output for the passes after it.
    std::unique_ptr<SampleSpill> keeping;
    if (stageCount > first && stageCount < stages_.size())
        keeping = std::make_unique<SampleSpill>(kSpillMemorySamples);
    const Consumer consume = [&](const float* in, size_t count)
    {
        if (keeping && !keeping->append(in, count)) keeping.reset();
        return consumeOutput(in, count);
    };
    if (!pump(source, first, stageCount, consume, error, progress, stop)) return false;
    if (keeping)
    {
        kept_ = std::move(keeping);
        keptStages_ = stageCount;
    }
    return true;
}

bool ToolChain::pump(SampleSource& source, size_t first, size_t stageCount, const Consumer& consume,
                     std::string& error, const std::function<void(double)>& progress,
                     const std::atomic<bool>* stop)
{
    if (!source.rewind())
    {
        error = "cannot read the file again from its start";
        return false;
    }
    for (size_t i = first; i < stageCount; ++i)
        stages_[i].reset();
    input_.resize(kBlockSamples);
    size_t done = 0;
    const size_t total = source.length();
    for (;;)
    {
        if (stop && *stop)
        {
            error = "stopped before the end";
            return false;
        }
        const long got = source.read(input_.data(), kBlockSamples);
        if (got < 0)
        {
            error = "read error in the audio file";
            return false;
        }
        if (got == 0) break;
        if (!passThrough(first, stageCount, input_.data(), static_cast<size_t>(got), consume))
            return false;
        done += static_cast<size_t>(got);
        if (progress && total > 0) progress(static_cast<double>(done) / total);
    }
    // Each stage's tail goes through the stages after it before they flush their own.
    for (size_t i = first; i < stageCount; ++i)
    {
        tail_.clear();
        stages_[i].finish(tail_);
        if (!passThrough(i + 1, stageCount, tail_.data(), tail_.size(), consume)) return false;
    }
    return true;
}

bool ToolChain::run(SampleSource& source, SampleSink& sink, std::string& error,
                    const Progress& progress, const std::atomic<bool>* stop)
{
    kept_.reset();
    keptStages_ = 0;
    const int total = passes();
    int pass = 0;
    auto report = [&](double done)
    {
        if (progress) progress(pass + 1, total, done);
    };
    for (size_t i = 0; i < stages_.size(); ++i)
    {
        Tool& tool = stages_[i].tool();
        auto analyse = [&tool](const float* in, size_t count)
        {
            tool.analyze(in, count);
            return true;
        };
        for (int round = 0; round < tool.analysisPasses(); ++round)
        {
            if (!stream(source, i, analyse, error, report, stop)) return false;
            tool.finishAnalysis();
            ++pass;
        }
    }
    auto write = [&sink, &error](const float* in, size_t count)
    {
        if (sink.write(in, count)) return true;
        error = "cannot write the processed samples";
        return false;
    };
    const bool written = stream(source, stages_.size(), write, error, report, stop);
    kept_.reset(); // its file goes now, not with the chain
    return written;
}

} // namespace companion
