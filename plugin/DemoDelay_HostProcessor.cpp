#include "DemoDelay_HostProcessor.h"

#include <algorithm>
#include <new>

#include "AAX_Errors.h"
#include "AAX_IController.h"
#include "CompanionLink.h"
#include "DocumentsFolder.h"
#include "InterfaceFileFormat.h"
#include "InterfaceFileLocation.h"
#include "OfflineParameterIDs.h"
#include "OfflineStatus.h"
#include "ProcessRequest.h"

AAX_IHostProcessor* DemoDelay_HostProcessor::Create()
{
    return new (std::nothrow) DemoDelay_HostProcessor;
}

AAX_Result DemoDelay_HostProcessor::PreAnalyze(int32, int32)
{
    mReady = true;
    mStatusCode = kStatusUnderWay;
    mChannelCount = InterfaceFileFormat::kChannelCount;
    const AAX_Result rateResult =
        Controller() ? Controller()->GetSampleRate(&mSampleRate) : kResultNullObject;
    mSamplesWritten = 0;
    PrepareInterfaceFileForWrite(0);
    return rateResult;
}

AAX_Result DemoDelay_HostProcessor::AnalyzeAudio(const float* const inAudioIns[],
                                                 int32 inAudioInCount, int32* ioWindowSize)
{
    if (!ioWindowSize) return kResultSuccess;
    if (!mReady) return kResultSuccess;
    // A negative window records nothing, and a selection whose sizes would no longer fit the
    // file's 32-bit fields stops here, before any size in the header can wrap.
    const int32 window = std::max(*ioWindowSize, 0);
    if (window > InterfaceFileFormat::kMaxSamples - mSamplesWritten)
    {
        Fail(kStatusAppendSlice);
        return kResultSuccess;
    }
    mSamplesWritten += window;
    if (inAudioIns && inAudioInCount > 0 && inAudioIns[0])
    {
        int32 count = window;
        AppendAudioSliceToFile(inAudioIns[0], 0, &count);
    }
    return kResultSuccess;
}

AAX_Result DemoDelay_HostProcessor::PostAnalyze()
{
    CompleteInterfaceFile(0);
    return kResultSuccess;
}

AAX_Result DemoDelay_HostProcessor::PreRender(int32, int32, int32)
{
    if (!mReady) return kResultSuccess;
    RequestExternalAudioProcessing(0);
    PrepareInterfaceFileForRead(0);
    return kResultSuccess;
}

AAX_Result DemoDelay_HostProcessor::RenderAudio(const float* const inAudioIns[],
                                                int32 inAudioInCount, float* const inAudioOuts[],
                                                int32 inAudioOutCount, int32* ioWindowSize)
{
    if (inAudioInCount != inAudioOutCount || !ioWindowSize) return kResultRenderArgument;
    const int32 window = *ioWindowSize;
    if (window <= 0) return kResultSuccess;
    if (inAudioOutCount < 1 || !inAudioIns || !inAudioOuts || !inAudioIns[0] || !inAudioOuts[0])
        return kResultRenderArgument;

    int32 delivered = 0;
    if (mReady)
    {
        int32 count = window;
        GetAudioSliceFromFile(inAudioOuts[0], 0, &count);
        if (mReady) return kResultSuccess;
        // The file ended inside this slice: what it still held stays, the input fills the
        // rest, so the host never renders samples nobody wrote.
        delivered = std::min(mInput.SamplesRead(), window);
    }
    std::copy(inAudioIns[0] + delivered, inAudioIns[0] + window, inAudioOuts[0] + delivered);
    return kResultSuccess;
}

AAX_Result DemoDelay_HostProcessor::PostRender()
{
    CloseInterfaceFileAfterRead(0);
    return kResultSuccess;
}

int32 DemoDelay_HostProcessor::PrepareInterfaceFileForWrite(int32 fileIndex)
{
    mInput.Close();
    const std::vector<std::string> folders = orv::platform::UserDocumentFolderURLs();
    std::string folder;
    if (!folders.empty())
    {
        Report(mStatusCode);
        if (!InterfaceFileLocation::FolderPathFromURL(folders.front(), folder)) folder.clear();
    }
    if (folder.empty() ||
        !InterfaceFileLocation::InterfaceFilePath(folder, fileIndex, mInterfaceFilePath))
    {
        mReady = false;
        mInterfaceFilePath.clear();
    }
    const int32 status = mOutput.Open(mInterfaceFilePath, mChannelCount, mSampleRate);
    if (status != kStatusNone) Fail(status);
    return 0;
}

int32 DemoDelay_HostProcessor::AppendAudioSliceToFile(const float* samples, int32,
                                                      int32* ioSampleCount)
{
    if (!ioSampleCount) return 0;
    const int32 status = mOutput.Append(samples, *ioSampleCount);
    if (status != kStatusNone) Fail(status);
    return 0;
}

int32 DemoDelay_HostProcessor::CompleteInterfaceFile(int32)
{
    const uint32 dataSize = static_cast<uint32>(mSamplesWritten) *
                            static_cast<uint32>(mChannelCount) *
                            static_cast<uint32>(InterfaceFileFormat::kBytesPerSample);
    const int32 status = mOutput.Complete(dataSize);
    if (status != kStatusNone) Fail(status);
    return 0;
}

int32 DemoDelay_HostProcessor::PrepareInterfaceFileForRead(int32)
{
    const int32 status =
        mInput.Open(mInterfaceFilePath, mChannelCount, mSampleRate, mSamplesWritten);
    if (status == kStatusNone) return 0;
    mInput.Close();
    Fail(status);
    return 0;
}

int32 DemoDelay_HostProcessor::GetAudioSliceFromFile(float* destination, int32,
                                                     int32* ioSampleCount)
{
    if (!ioSampleCount) return 0;
    const int32 status = mInput.ReadSlice(destination, *ioSampleCount);
    if (status != kStatusNone) Fail(status);
    return 0;
}

int32 DemoDelay_HostProcessor::CloseInterfaceFileAfterRead(int32)
{
    mInput.Close();
    return 0;
}

int32 DemoDelay_HostProcessor::RequestExternalAudioProcessing(int32)
{
    const ProcessRequest::Request request =
        ProcessRequest::Build(EffectParameters(), mSampleRate, mInterfaceFilePath);
    mToolCount = request.toolCount;
    const int32 status = CompanionLink::RequestProcessing(request.text);
    if (status == kStatusNone) return 0;
    Fail(status);
    return request.rangeCheckResult;
}

void DemoDelay_HostProcessor::Report(int32 code)
{
    mStatusCode = code;
    if (EffectParameters())
        EffectParameters()->SetParameterNormalizedValue(OfflineParameterIDs::kComm,
                                                        StatusToComm(code));
}

void DemoDelay_HostProcessor::Fail(int32 code)
{
    Report(code);
    mReady = false;
}
