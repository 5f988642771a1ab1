#include "OfflineRenderDriver.h"

#include <algorithm>
#include <vector>

#include "AAX_Errors.h"

namespace orv::host
{
namespace
{

// One window of buffers per channel, plus the pointer tables a processor takes.
class WindowBuffers
{
public:
    WindowBuffers(int32 channels, int32 window)
        : mSamples(static_cast<size_t>(channels), std::vector<float>(static_cast<size_t>(window)))
    {
        for (auto& channel : mSamples)
            mPointers.push_back(channel.data());
    }
    float* const* Pointers() { return mPointers.data(); }
    const float* const* ConstPointers() const
    {
        return reinterpret_cast<const float* const*>(mPointers.data());
    }
    void Clear()
    {
        for (auto& channel : mSamples)
            std::fill(channel.begin(), channel.end(), 0.0f);
    }

private:
    std::vector<std::vector<float>> mSamples;
    std::vector<float*> mPointers;
};

} // namespace

OfflineRenderDriver::Result OfflineRenderDriver::Run(AAX_IACFHostProcessor& processor,
                                                     AudioSource& source, AudioSink& sink,
                                                     const Options& options)
{
    Result run;
    const auto pump = [&options]
    {
        if (options.pump) options.pump();
    };
    const auto report = [&options](Pass pass, int64 done, int64 total)
    {
        if (options.progress) options.progress(pass, done, total);
    };
    const int32 window = options.windowSize;
    const int32 channels = source.ChannelCount();
    const int64 length = source.Length();
    if (window < 1 || channels < 1 || length < 0)
    {
        run.result = kResultInvalidParameterId;
        return run;
    }

    int64 dstStart = 0;
    int64 dstEnd = 0;
    run.result = processor.InitOutputBounds(0, length, &dstStart, &dstEnd);
    pump();
    if (run.result != kResultSuccess) return run;

    WindowBuffers inputs(channels, window);
    WindowBuffers outputs(channels, window);

    run.preAnalyzeResult = processor.PreAnalyze(channels, window);
    pump();
    for (int64 done = 0; done < length;)
    {
        int32 count = static_cast<int32>(std::min<int64>(window, length - done));
        if (!source.Read(done, count, inputs.Pointers()))
        {
            run.result = kResultInvalidParameterId;
            break;
        }
        processor.SetLocation(done);
        processor.AnalyzeAudio(inputs.ConstPointers(), channels, &count);
        pump();
        done += std::min<int64>(window, length - done);
        report(Pass::kAnalysis, done, length);
    }
    processor.PostAnalyze();
    pump();
    if (run.result != kResultSuccess) return run;

    processor.PreRender(channels, channels, window);
    pump();
    for (int64 done = 0; done < length;)
    {
        const int32 wanted = static_cast<int32>(std::min<int64>(window, length - done));
        int32 count = wanted;
        if (!source.Read(done, count, inputs.Pointers()))
        {
            run.result = kResultInvalidParameterId;
            break;
        }
        WindowBuffers& rendered = options.inPlace ? inputs : outputs;
        if (!options.inPlace) outputs.Clear();
        processor.SetLocation(done);
        run.result = processor.RenderAudio(inputs.ConstPointers(), channels, rendered.Pointers(),
                                           channels, &count);
        pump();
        if (run.result != kResultSuccess) break;
        // The window is taken whole, whatever the processor wrote back into the size.
        if (!sink.Write(rendered.ConstPointers(), channels, wanted))
        {
            run.result = kResultInvalidParameterId;
            break;
        }
        done += wanted;
        run.rendered = done;
        report(Pass::kRender, done, length);
    }
    processor.PostRender();
    pump();
    return run;
}

} // namespace orv::host
