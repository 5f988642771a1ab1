#include "ToolChain.h"

#include "CompanionConstants.h"

namespace companion
{

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
    std::vector<float>* buffers[2] = {&ping_, &pong_};
    int next = 0;
    for (size_t i = from; i < stageCount; ++i)
    {
        // Each stage reads the buffer the previous one wrote and writes the other.
        std::vector<float>& out = *buffers[next];
        out.clear();
        stages_[i].push(in, count, out);
        in = out.data();
        count = out.size();
        next ^= 1;
    }
    return count == 0 || consume(in, count);
}

bool ToolChain::stream(SampleSource& source, size_t stageCount, const Consumer& consume,
                       std::string& error, const std::function<void(double)>& progress,
                       const std::atomic<bool>* stop)
{
    if (!source.rewind())
    {
        error = "cannot read the file again from its start";
        return false;
    }
    for (size_t i = 0; i < stageCount; ++i)
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
        if (!passThrough(0, stageCount, input_.data(), static_cast<size_t>(got), consume))
            return false;
        done += static_cast<size_t>(got);
        if (progress && total > 0) progress(static_cast<double>(done) / total);
    }
    // Each stage's tail goes through the stages after it before they flush their own.
    for (size_t i = 0; i < stageCount; ++i)
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
    return stream(source, stages_.size(), write, error, report, stop);
}

} // namespace companion
