#include "ToolChain.h"
#include "CompanionConstants.h"
#include "SignalTestSupport.h"

#include <gtest/gtest.h>

namespace companion
{
namespace
{

// A pure delay with a gain: latency `delay`, output = gain * input delayed.
class DelayTool : public Tool
{
public:
    DelayTool(size_t delay, float gain) : line_(delay, 0.0f), gain_(gain) {}
    size_t latency() const override { return line_.size(); }
    void process(const float* in, float* out, size_t count) override
    {
        processed += count;
        for (size_t i = 0; i < count; ++i)
        {
            const float x = in[i];
            if (line_.empty())
            {
                out[i] = x * gain_;
                continue;
            }
            out[i] = line_[at_] * gain_;
            line_[at_] = x;
            at_ = (at_ + 1) % line_.size();
        }
    }
    void reset() override
    {
        std::fill(line_.begin(), line_.end(), 0.0f);
        at_ = 0;
    }

    size_t processed = 0;

private:
    std::vector<float> line_;
    size_t at_ = 0;
    float gain_;
};

// Records what it is given to analyse, in each of its passes, then passes its input on,
// delayed by one block.
class RecordingTool : public DelayTool
{
public:
    explicit RecordingTool(std::vector<float>& seen, int passes = 1)
        : DelayTool(70000, 1.0f), seen_(seen), passes_(passes)
    {
    }
    int analysisPasses() const override { return passes_; }
    void analyze(const float* in, size_t count) override
    {
        seen_.insert(seen_.end(), in, in + count);
    }

private:
    std::vector<float>& seen_;
    int passes_;
};

class VectorSource : public SampleSource
{
public:
    explicit VectorSource(std::vector<float> samples) : samples_(std::move(samples)) {}
    long read(float* out, size_t count) override
    {
        const size_t n = std::min(count, samples_.size() - at_);
        std::copy(samples_.begin() + at_, samples_.begin() + at_ + n, out);
        at_ += n;
        return static_cast<long>(n);
    }
    bool rewind() override
    {
        at_ = 0;
        ++rewinds;
        return true;
    }
    size_t length() const override { return samples_.size(); }
    int rewinds = 0;

private:
    std::vector<float> samples_;
    size_t at_ = 0;
};

class VectorSink : public SampleSink
{
public:
    bool write(const float* in, size_t count) override
    {
        samples.insert(samples.end(), in, in + count);
        return samples.size() <= limit;
    }
    std::vector<float> samples;
    size_t limit = SIZE_MAX;
};

TEST(ToolChain, OutputIsAlignedAndAsLongAsTheInputWhateverTheLatencies)
{
    const std::vector<float> x = test::noise(0.2, 150001);
    std::vector<std::unique_ptr<Tool>> tools;
    tools.push_back(std::make_unique<DelayTool>(1234, 2.0f));
    tools.push_back(std::make_unique<DelayTool>(0, 0.5f));
    tools.push_back(std::make_unique<DelayTool>(200000, 3.0f)); // longer than the input
    ToolChain chain(std::move(tools));
    EXPECT_EQ(chain.passes(), 1);

    VectorSource source(x);
    VectorSink sink;
    std::string error;
    ASSERT_TRUE(chain.run(source, sink, error)) << error;
    ASSERT_EQ(sink.samples.size(), x.size());
    for (size_t i = 0; i < x.size(); ++i)
        ASSERT_FLOAT_EQ(sink.samples[i], 3.0f * x[i]) << i;
}

TEST(ToolChain, AnalysisSeesTheAlignedOutputOfTheToolsBeforeIt)
{
    // More than a spill keeps in memory, so the later passes read part of it from its file.
    const std::vector<float> x = test::noise(0.2, 1500000);
    std::vector<float> seen;
    std::vector<float> seenLater;
    std::vector<std::unique_ptr<Tool>> tools;
    tools.push_back(std::make_unique<DelayTool>(999, 2.0f));
    const DelayTool& first = static_cast<const DelayTool&>(*tools.back());
    tools.push_back(std::make_unique<RecordingTool>(seen));
    tools.push_back(std::make_unique<RecordingTool>(seenLater, 2));
    ToolChain chain(std::move(tools));
    EXPECT_EQ(chain.passes(), 4);

    VectorSource source(x);
    VectorSink sink;
    std::vector<int> passesSeen;
    std::string error;
    ASSERT_TRUE(
        chain.run(source, sink, error, [&](int pass, int, double) { passesSeen.push_back(pass); }))
        << error;
    // The input is read once; each later pass starts from what the passes before kept, so
    // the first tool runs over the signal once, not once per pass after it.
    EXPECT_EQ(source.rewinds, 1);
    EXPECT_EQ(first.processed, x.size() + 999);
    ASSERT_EQ(seen.size(), x.size());
    ASSERT_EQ(seenLater.size(), 2 * x.size());
    ASSERT_EQ(sink.samples.size(), x.size());
    for (size_t i = 0; i < x.size(); ++i)
    {
        ASSERT_FLOAT_EQ(seen[i], 2.0f * x[i]) << i;
        ASSERT_FLOAT_EQ(seenLater[i], 2.0f * x[i]) << i;
        ASSERT_FLOAT_EQ(seenLater[x.size() + i], 2.0f * x[i]) << i;
        ASSERT_FLOAT_EQ(sink.samples[i], 2.0f * x[i]) << i;
    }
    EXPECT_EQ(passesSeen.front(), 1);
    EXPECT_EQ(passesSeen.back(), 4);

    // A tool that measures twice sees the whole input twice before the output pass.
    std::vector<float> twice;
    std::vector<std::unique_ptr<Tool>> measuring;
    measuring.push_back(std::make_unique<RecordingTool>(twice, 2));
    ToolChain again(std::move(measuring));
    EXPECT_EQ(again.passes(), 3);
    VectorSource second(x);
    ASSERT_TRUE(again.run(second, sink, error)) << error;
    EXPECT_EQ(second.rewinds, 3);
    ASSERT_EQ(twice.size(), 2 * x.size());
    EXPECT_TRUE(std::equal(x.begin(), x.end(), twice.begin() + x.size()));
}

TEST(ToolChain, StopsWhenTheSinkRefuses)
{
    std::vector<std::unique_ptr<Tool>> tools;
    tools.push_back(std::make_unique<DelayTool>(10, 1.0f));
    ToolChain chain(std::move(tools));
    VectorSource source(test::noise(0.2, 300000));
    VectorSink sink;
    sink.limit = 1000;
    std::string error;
    EXPECT_FALSE(chain.run(source, sink, error));
    EXPECT_FALSE(error.empty());
}

TEST(ToolChain, GivesUpBetweenBlocksOnceToldToStop)
{
    std::vector<std::unique_ptr<Tool>> tools;
    tools.push_back(std::make_unique<DelayTool>(0, 1.0f));
    ToolChain chain(std::move(tools));
    VectorSource source(test::noise(0.2, 10 * kBlockSamples));
    VectorSink sink;
    std::atomic<bool> stop{false};
    // Told during the third block: the blocks after it are never read.
    auto progress = [&](int, int, double done)
    {
        if (done >= 0.3) stop = true;
    };
    std::string error;
    EXPECT_FALSE(chain.run(source, sink, error, progress, &stop));
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(sink.samples.size(), 3 * kBlockSamples);

    stop = false;
    VectorSink whole;
    EXPECT_TRUE(chain.run(source, whole, error, {}, &stop)) << error;
    EXPECT_EQ(whole.samples.size(), 10 * kBlockSamples);
}

} // namespace
} // namespace companion
