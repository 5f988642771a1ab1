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

using Options = OfflineRenderDriver::Options;
using Pass = OfflineRenderDriver::Pass;

void Pump(const Options& options)
{
    if (options.pump) options.pump();
}

// The two passes over a selection already checked, with one window of buffers per channel.
class PassRunner
{
public:
    PassRunner(AAX_IACFHostProcessor& processor, AudioSource& source, AudioSink& sink,
               const Options& options, int32 channels, int64 length)
        : mProcessor(processor), mSource(source), mSink(sink), mOptions(options),
          mChannels(channels), mLength(length), mInputs(channels, options.windowSize),
          mOutputs(channels, options.windowSize)
    {
    }

    // PreAnalyze (its result in preAnalyzeResult), AnalyzeAudio per window, PostAnalyze.
    // kResultInvalidParameterId when the source fails.
    AAX_Result Analyze(AAX_Result& preAnalyzeResult)
    {
        AAX_Result result = kResultSuccess;
        preAnalyzeResult = mProcessor.PreAnalyze(mChannels, mOptions.windowSize);
        Pump(mOptions);
        for (int64 done = 0; done < mLength;)
        {
            int32 count = WindowAt(done);
            if (!mSource.Read(done, count, mInputs.Pointers()))
            {
                result = kResultInvalidParameterId;
                break;
            }
            mProcessor.SetLocation(done);
            mProcessor.AnalyzeAudio(mInputs.ConstPointers(), mChannels, &count);
            Pump(mOptions);
            done += WindowAt(done);
            Report(Pass::kAnalysis, done);
        }
        mProcessor.PostAnalyze();
        Pump(mOptions);
        return result;
    }

    // PreRender, each window rendered into the sink, PostRender; rendered counts the samples
    // the sink took.
    AAX_Result Render(int64& rendered)
    {
        AAX_Result result = kResultSuccess;
        mProcessor.PreRender(mChannels, mChannels, mOptions.windowSize);
        Pump(mOptions);
        for (int64 done = 0; done < mLength;)
        {
            const int32 wanted = WindowAt(done);
            result = RenderWindow(done, wanted);
            if (result != kResultSuccess) break;
            done += wanted;
            rendered = done;
            Report(Pass::kRender, done);
        }
        mProcessor.PostRender();
        Pump(mOptions);
        return result;
    }

private:
    int32 WindowAt(int64 done) const
    {
        return static_cast<int32>(std::min<int64>(mOptions.windowSize, mLength - done));
    }

    void Report(Pass pass, int64 done) const
    {
        if (mOptions.progress) mOptions.progress(pass, done, mLength);
    }

    // Reads the window of wanted samples at done, renders it and hands it to the sink.
    AAX_Result RenderWindow(int64 done, int32 wanted)
    {
        int32 count = wanted;
        if (!mSource.Read(done, count, mInputs.Pointers())) return kResultInvalidParameterId;
        WindowBuffers& rendered = mOptions.inPlace ? mInputs : mOutputs;
        if (!mOptions.inPlace) mOutputs.Clear();
        mProcessor.SetLocation(done);
        const AAX_Result result = mProcessor.RenderAudio(mInputs.ConstPointers(), mChannels,
                                                         rendered.Pointers(), mChannels, &count);
        Pump(mOptions);
        if (result != kResultSuccess) return result;
        // The window is taken whole, whatever the processor wrote back into the size.
        if (!mSink.Write(rendered.ConstPointers(), mChannels, wanted))
            return kResultInvalidParameterId;
        return kResultSuccess;
    }

    AAX_IACFHostProcessor& mProcessor;
    AudioSource& mSource;
    AudioSink& mSink;
    const Options& mOptions;
    const int32 mChannels;
    const int64 mLength;
    WindowBuffers mInputs;
    WindowBuffers mOutputs;
};

} // namespace

OfflineRenderDriver::Result OfflineRenderDriver::Run(AAX_IACFHostProcessor& processor,
                                                     AudioSource& source, AudioSink& sink,
                                                     const Options& options)
{
    Result run;
    const int32 channels = source.ChannelCount();
    const int64 length = source.Length();
    if (options.windowSize < 1 || channels < 1 || length < 0)
    {
        run.result = kResultInvalidParameterId;
        return run;
    }

    int64 dstStart = 0;
    int64 dstEnd = 0;
    run.result = processor.InitOutputBounds(0, length, &dstStart, &dstEnd);
    Pump(options);
    if (run.result != kResultSuccess) return run;

    PassRunner passes(processor, source, sink, options, channels, length);
    run.result = passes.Analyze(run.preAnalyzeResult);
    if (run.result == kResultSuccess) run.result = passes.Render(run.rendered);
    return run;
}

} // namespace orv::host
