#include "OfflineRenderDriver.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "AAX_Errors.h"
#include "MemoryAudioSink.h"
#include "MemoryAudioSource.h"

using namespace orv::host;

namespace
{

// A processor that records each call with its window and renders input * 2 into every
// channel it is given.
class RecordingProcessor : public AAX_IACFHostProcessor
{
public:
    std::vector<std::string> calls;
    AAX_Result renderResult = kResultSuccess;

    AAX_Result QueryInterface(const _acfUID&, void**) override { return kResultNoInterface; }
    acfUInt32 AddRef() override { return 1; }
    acfUInt32 Release() override { return 1; }
    AAX_Result Initialize(IACFUnknown*) override { return kResultSuccess; }
    AAX_Result Uninitialize() override { return kResultSuccess; }
    AAX_Result InitOutputBounds(int64 start, int64 end, int64* dstStart, int64* dstEnd) override
    {
        calls.push_back("InitOutputBounds " + std::to_string(start) + " " + std::to_string(end));
        *dstStart = start;
        *dstEnd = end;
        return kResultSuccess;
    }
    AAX_Result SetLocation(int64 location) override
    {
        calls.push_back("SetLocation " + std::to_string(location));
        return kResultSuccess;
    }
    AAX_Result RenderAudio(const float* const ins[], int32 inCount, float* const outs[],
                           int32 outCount, int32* window) override
    {
        calls.push_back("RenderAudio " + std::to_string(*window));
        for (int32 c = 0; c < std::min(inCount, outCount); ++c)
            for (int32 i = 0; i < *window; ++i)
                outs[c][i] = 2.0f * ins[c][i];
        return renderResult;
    }
    AAX_Result PreRender(int32 ins, int32 outs, int32 window) override
    {
        calls.push_back("PreRender " + std::to_string(ins) + " " + std::to_string(outs) + " " +
                        std::to_string(window));
        return kResultSuccess;
    }
    AAX_Result PostRender() override
    {
        calls.push_back("PostRender");
        return kResultSuccess;
    }
    AAX_Result AnalyzeAudio(const float* const ins[], int32 inCount, int32* window) override
    {
        calls.push_back("AnalyzeAudio " + std::to_string(*window));
        // A host provides a buffer for every channel.
        for (int32 c = 0; c < inCount; ++c)
            EXPECT_NE(ins[c], nullptr);
        return kResultSuccess;
    }
    AAX_Result PreAnalyze(int32 ins, int32 window) override
    {
        calls.push_back("PreAnalyze " + std::to_string(ins) + " " + std::to_string(window));
        return kResultUnimplemented;
    }
    AAX_Result PostAnalyze() override
    {
        calls.push_back("PostAnalyze");
        return kResultSuccess;
    }
};

// A long selection made up on the fly: sample i of channel c is i + c / 2.
class GeneratedSource : public AudioSource
{
public:
    explicit GeneratedSource(int64 length) : mLength(length) {}
    int32 ChannelCount() const override { return 2; }
    int64 Length() const override { return mLength; }
    bool Read(int64 start, int32 count, float* const* channels) override
    {
        for (int32 c = 0; c < 2; ++c)
            for (int32 i = 0; i < count; ++i)
                channels[c][i] = static_cast<float>(start + i) + 0.5f * c;
        return true;
    }

private:
    int64 mLength;
};

// Checks each window as it arrives and keeps nothing.
class CheckingSink : public AudioSink
{
public:
    int64 received = 0;
    int64 mismatches = 0;
    bool Write(const float* const* channels, int32 channelCount, int32 count) override
    {
        for (int32 c = 0; c < channelCount; ++c)
            for (int32 i = 0; i < count; ++i)
                if (channels[c][i] != 2.0f * (static_cast<float>(received + i) + 0.5f * c))
                    ++mismatches;
        received += count;
        return true;
    }
};

TEST(OfflineRenderDriver, RunsBothPassesInTheHostsOrderWithProgressAndPumping)
{
    MemoryAudioSource source({{1, 2, 3, 4, 5}, {6, 7, 8, 9, 10}});
    MemoryAudioSink sink;
    RecordingProcessor processor;
    OfflineRenderDriver::Options options;
    options.windowSize = 2;
    int pumps = 0;
    std::vector<std::string> progress;
    options.pump = [&] { ++pumps; };
    options.progress = [&](OfflineRenderDriver::Pass pass, int64 done, int64 total)
    {
        progress.push_back((pass == OfflineRenderDriver::Pass::kAnalysis ? "a" : "r") +
                           std::to_string(done) + "/" + std::to_string(total));
    };
    const OfflineRenderDriver::Result run =
        OfflineRenderDriver::Run(processor, source, sink, options);
    EXPECT_EQ(run.result, kResultSuccess);
    EXPECT_EQ(run.preAnalyzeResult, kResultUnimplemented);
    EXPECT_EQ(run.rendered, 5);

    const std::vector<std::string> expected = {
        "InitOutputBounds 0 5", "PreAnalyze 2 2", "SetLocation 0",
        "AnalyzeAudio 2",       "SetLocation 2",  "AnalyzeAudio 2",
        "SetLocation 4",        "AnalyzeAudio 1", "PostAnalyze",
        "PreRender 2 2 2",      "SetLocation 0",  "RenderAudio 2",
        "SetLocation 2",        "RenderAudio 2",  "SetLocation 4",
        "RenderAudio 1",        "PostRender"};
    EXPECT_EQ(processor.calls, expected);
    // After every call that can change the plug-in's state, bar SetLocation.
    EXPECT_EQ(pumps, 11);
    EXPECT_EQ(progress, (std::vector<std::string>{"a2/5", "a4/5", "a5/5", "r2/5", "r4/5", "r5/5"}));
    ASSERT_EQ(sink.Channels().size(), 2u);
    EXPECT_EQ(sink.Channels()[0], (std::vector<float>{2, 4, 6, 8, 10}));
    EXPECT_EQ(sink.Channels()[1], (std::vector<float>{12, 14, 16, 18, 20}));
}

TEST(OfflineRenderDriver, StopsOnARenderErrorAndRefusesBadWindows)
{
    MemoryAudioSource source({{1, 2, 3}});
    MemoryAudioSink sink;
    RecordingProcessor processor;
    processor.renderResult = kResultRenderArgument;
    OfflineRenderDriver::Options options;
    options.windowSize = 1;
    const OfflineRenderDriver::Result run =
        OfflineRenderDriver::Run(processor, source, sink, options);
    EXPECT_EQ(run.result, kResultRenderArgument);
    EXPECT_EQ(run.rendered, 0);
    EXPECT_EQ(processor.calls.back(), "PostRender");
    EXPECT_TRUE(sink.Channels().empty());

    RecordingProcessor untouched;
    options.windowSize = 0;
    EXPECT_EQ(OfflineRenderDriver::Run(untouched, source, sink, options).result,
              kResultInvalidParameterId);
    EXPECT_TRUE(untouched.calls.empty());
}

TEST(OfflineRenderDriver, StreamsALongSelectionWindowByWindow)
{
    // Ten minutes at 48 kHz, never held whole by the driver, the source or the sink.
    const int64 length = 10LL * 60 * 48000;
    GeneratedSource source(length);
    CheckingSink sink;
    RecordingProcessor processor;
    OfflineRenderDriver::Options options;
    options.windowSize = 4096;
    const OfflineRenderDriver::Result run =
        OfflineRenderDriver::Run(processor, source, sink, options);
    EXPECT_EQ(run.result, kResultSuccess);
    EXPECT_EQ(sink.received, length);
    EXPECT_EQ(sink.mismatches, 0);
}

} // namespace
