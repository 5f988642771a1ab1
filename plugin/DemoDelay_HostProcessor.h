#pragma once

#include <array>
#include <string>

#include "AAX_CHostProcessor.h"
#include "AAX_HostBoundary.h"
#include "InterfaceFileClaim.h"
#include "InterfaceFileReader.h"
#include "InterfaceFileStamp.h"
#include "InterfaceFileWriter.h"

// The plug-in's offline processor. The analysis pass records the first channel of the
// selection into the interface file; the render pass asks the companion to process that
// file and streams the result back into the first output channel. Any failure is published
// through "Comm" as code / 100 and from then on the selection renders unchanged. The
// interface file is removed once the render pass has read it back, or at once after a
// failure, so no copy of the selection stays behind. From the
// start of the analysis pass to the end of the render pass it claims an interface file of
// its own (the lowest free index), so instances rendering at once never share one. Driven
// by the host, one call at a time; starts no thread.
class DemoDelay_HostProcessor : public AAX_CHostProcessor
{
public:
    // The factory the effect description registers: a new processor with count 0, owned by
    // the host through its reference count.
    static AAX_IHostProcessor* Create();

    DemoDelay_HostProcessor() = default;
    ~DemoDelay_HostProcessor() override = default;

    // Closes and removes the files and gives up the interface file's claim, then the base's
    // teardown.
    AAX_Result Uninitialize() override;

    // Return 0 whatever happens to the exchange, except PreAnalyze (the sample-rate query's
    // result) and RenderAudio (kResultRenderArgument for unequal channel counts or a null
    // window size).
    AAX_Result PreAnalyze(int32 inAudioInCount, int32 inWindowSize) override;
    AAX_Result AnalyzeAudio(const float* const inAudioIns[], int32 inAudioInCount,
                            int32* ioWindowSize) override;
    AAX_Result PostAnalyze() override;
    AAX_Result PreRender(int32 inAudioInCount, int32 inAudioOutCount, int32 inWindowSize) override;
    AAX_Result RenderAudio(const float* const inAudioIns[], int32 inAudioInCount,
                           float* const inAudioOuts[], int32 inAudioOutCount,
                           int32* ioWindowSize) override;
    AAX_Result PostRender() override;

    // The interface-file and companion steps, called by the pass operations only. Each
    // takes the file index (always 0) and returns 0; failures go to "Comm".
    virtual int32 PrepareInterfaceFileForWrite(int32 fileIndex);
    virtual int32 AppendAudioSliceToFile(const float* samples, int32 fileIndex,
                                         int32* ioSampleCount);
    virtual int32 CompleteInterfaceFile(int32 fileIndex);
    virtual int32 PrepareInterfaceFileForRead(int32 fileIndex);
    virtual int32 GetAudioSliceFromFile(float* destination, int32 fileIndex, int32* ioSampleCount);
    virtual int32 CloseInterfaceFileAfterRead(int32 fileIndex);
    // Sends "process" and waits for the companion; 0 on success, otherwise the result of the
    // "chkfr" read. The companion must show it processed the file: by its report line, or by
    // a file replaced or rewritten since PostAnalyze marked it; otherwise kStatusNotProcessed.
    virtual int32 RequestExternalAudioProcessing(int32 fileIndex);

    // For diagnostics and tests.
    bool IsReady() const { return mReady; }
    int32 StatusCode() const { return mStatusCode; }
    int32 SamplesWritten() const { return mSamplesWritten; }
    int32 ToolCount() const { return mToolCount; }
    const std::string& InterfaceFilePath() const { return mInterfaceFilePath; }
    // The claimed interface file's index, -1 while none is claimed.
    int32 InterfaceFileIndex() const { return mClaim.Index(); }

private:
    // Samples read per step when the output cannot take the file's samples directly.
    static constexpr int32 kScratchSamples = 4096;

    // Reads count samples of the file through the scratch buffer and copies those that
    // arrived whole and finite to destination (null drops them). Returns how many arrived;
    // fewer than count only after a failure (the processor is then no longer ready).
    int32 ReadThroughScratch(float* destination, int32 count);
    // Finds the documents folder and claims an interface file in it; on success the path is
    // set and the result is empty, else it says which folder failed and why.
    std::string ClaimInterfaceFile();
    // A selection longer than the file can hold (from InitOutputBounds) fails the pass
    // before anything is written; true when it did.
    bool SelectionTooLong();
    // Traces why the pass fails with code, after the code's lead-in (StatusTrace.h).
    void TraceFailure(int32 code, const std::string& reason) const;
    // Traces the companion's report of what it found and did.
    void TraceCompanionReport(const std::string& report) const;

    // Runs a pass operation that may allocate (paths, files, the request) so that nothing
    // it throws reaches the host: out of memory, the rest of the selection renders unchanged
    // and the host gets kResultUnexpected.
    template <typename Step> AAX_Result GuardedPass(const char* operation, Step&& step) noexcept
    {
        const AAX_Result result = AAX_GuardHostCall(operation, std::forward<Step>(step));
        if (result == kResultUnexpected) mReady = false;
        return result;
    }

    // Stores code and publishes it through "Comm".
    void Report(int32 code);
    // Reports code, switches to pass-through and removes the interface file, whose samples
    // are no longer needed (a partly written one is of no use to anyone).
    void Fail(int32 code);
    // Removes the interface file while it is claimed; the claim's lock file stays.
    void RemoveInterfaceFile();

    std::string mInterfaceFilePath;
    int32 mToolCount = 0;
    int32 mChannelCount = 0;
    float mSampleRate = 0.0f;
    bool mReady = false;
    int32 mStatusCode = 0;
    int32 mSamplesWritten = 0;
    InterfaceFileWriter mOutput;
    InterfaceFileReader mInput;
    InterfaceFileClaim mClaim;
    InterfaceFileStamp mStamp;
    std::array<float, kScratchSamples> mScratch{};
};
