#include "DemoDelay_HostProcessor.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <functional>

#include "AAX_CHostServices.h"
#include "AAX_Errors.h"
#include "AAX_IController.h"
#include "CompanionLink.h"
#include "CompanionProtocol.h"
#include "DocumentsFolder.h"
#include "FilePaths.h"
#include "InterfaceFileFormat.h"
#include "InterfaceFileLocation.h"
#include "OfflineParameterIDs.h"
#include "OfflineStatus.h"
#include "ProcessRequest.h"
#include "StatusTrace.h"

AAX_IHostProcessor* DemoDelay_HostProcessor::Create()
{
    return AAX_MakeOwned<DemoDelay_HostProcessor>().release();
}

AAX_Result DemoDelay_HostProcessor::PreAnalyze(int32, int32)
{
    mReady = true;
    mStatusCode = kStatusUnderWay;
    mChannelCount = InterfaceFileFormat::kChannelCount;
    const AAX_Result rateResult =
        Controller() ? Controller()->GetSampleRate(&mSampleRate) : kResultNullObject;
    mSamplesWritten = 0;
    return GuardedPass(__func__,
                       [&]
                       {
                           if (!SelectionTooLong()) PrepareInterfaceFileForWrite(0);
                           return rateResult;
                       });
}

bool DemoDelay_HostProcessor::SelectionTooLong()
{
    const int64 length = SrcEnd() - SrcStart();
    if (length <= InterfaceFileFormat::kMaxSamples) return false;
    mInput.Close();
    mStamp.Clear();
    mClaim.Release();
    mInterfaceFilePath.clear();
    TraceFailure(kStatusAppendSlice, "the selection of " + std::to_string(length) +
                                         " samples would pass the WAV file's limit of " +
                                         std::to_string(InterfaceFileFormat::kMaxSamples) +
                                         " samples (4 GiB)");
    Fail(kStatusAppendSlice);
    return true;
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
    return GuardedPass(__func__,
                       [this]
                       {
                           CompleteInterfaceFile(0);
                           return kResultSuccess;
                       });
}

AAX_Result DemoDelay_HostProcessor::PreRender(int32, int32, int32)
{
    if (!mReady) return kResultSuccess;
    return GuardedPass(__func__,
                       [this]
                       {
                           RequestExternalAudioProcessing(0);
                           // After a failure the file is gone and the input renders.
                           if (mReady) PrepareInterfaceFileForRead(0);
                           return kResultSuccess;
                       });
}

AAX_Result DemoDelay_HostProcessor::RenderAudio(const float* const inAudioIns[],
                                                int32 inAudioInCount, float* const inAudioOuts[],
                                                int32 inAudioOutCount, int32* ioWindowSize)
{
    if (!ioWindowSize) return kResultRenderArgument;
    const int32 window = *ioWindowSize;
    const bool buffersGiven =
        inAudioOutCount >= 1 && inAudioIns && inAudioOuts && inAudioIns[0] && inAudioOuts[0];
    if (inAudioInCount != inAudioOutCount || (window > 0 && !buffersGiven))
    {
        // The refused window's samples are still taken from the file, so the next window
        // gets the samples that belong to it.
        if (mReady && window > 0) ReadThroughScratch(nullptr, window);
        return kResultRenderArgument;
    }
    if (window <= 0) return kResultSuccess;

    const float* const in = inAudioIns[0];
    float* const out = inAudioOuts[0];
    int32 delivered = 0;
    if (mReady)
    {
        // A host that renders in place hands the same buffer twice: the file's samples may
        // then go there only once they are known to be good, as the input is still needed.
        const bool overlapping = std::less<const float*>()(in, out + window) &&
                                 std::less<const float*>()(out, in + window);
        if (overlapping)
        {
            delivered = ReadThroughScratch(out, window);
        }
        else
        {
            int32 count = window;
            GetAudioSliceFromFile(out, 0, &count);
            delivered = mReady ? window : std::min(mInput.SamplesRead(), window);
        }
        if (mReady) return kResultSuccess;
    }
    // Pass-through, or the file ended inside this slice: what it still held stays, the input
    // fills the rest, so the host never renders samples nobody wrote. memmove, as in place
    // the two are one buffer.
    std::memmove(out + delivered, in + delivered,
                 static_cast<size_t>(window - delivered) * sizeof(float));
    return kResultSuccess;
}

AAX_Result DemoDelay_HostProcessor::PostRender()
{
    CloseInterfaceFileAfterRead(0);
    RemoveInterfaceFile();
    mClaim.Release();
    return kResultSuccess;
}

AAX_Result DemoDelay_HostProcessor::Uninitialize()
{
    mOutput.Close();
    mInput.Close();
    RemoveInterfaceFile();
    mClaim.Release();
    return AAX_CHostProcessor::Uninitialize();
}

int32 DemoDelay_HostProcessor::ReadThroughScratch(float* destination, int32 count)
{
    int32 delivered = 0;
    while (mReady && delivered < count)
    {
        const int32 step = std::min(count - delivered, kScratchSamples);
        int32 asked = step;
        GetAudioSliceFromFile(mScratch.data(), 0, &asked);
        const int32 arrived = mReady ? step : std::min(mInput.SamplesRead(), step);
        if (destination)
            std::copy(mScratch.data(), mScratch.data() + arrived, destination + delivered);
        delivered += arrived;
    }
    return delivered;
}

int32 DemoDelay_HostProcessor::PrepareInterfaceFileForWrite(int32)
{
    mInput.Close();
    mStamp.Clear();
    mClaim.Release();
    mInterfaceFilePath.clear();
    const std::string problem = ClaimInterfaceFile();
    if (!problem.empty())
    {
        mInterfaceFilePath.clear();
        TraceFailure(kStatusCreateFile, problem);
        Fail(kStatusCreateFile);
        return 0;
    }
    const int32 status = mOutput.Open(mInterfaceFilePath, mChannelCount, mSampleRate);
    if (status == kStatusNone) return 0;
    if (status == kStatusCreateFile)
        TraceFailure(status, mInterfaceFilePath + ": " + std::strerror(errno));
    Fail(status);
    return 0;
}

std::string DemoDelay_HostProcessor::ClaimInterfaceFile()
{
    const std::vector<std::string> folders = orv::platform::UserDocumentFolderURLs();
    if (folders.empty()) return "no documents folder: HOME names no absolute folder";
    Report(mStatusCode);
    // The companion takes only plain paths: no empty, "." or ".." component.
    std::string given;
    if (!InterfaceFileLocation::FolderPathFromURL(folders.front(), given))
        return "the documents folder " + folders.front() + " is no plain path";
    std::string folder;
    errno = 0;
    if (!orv::platform::CanonicalFolderPath(given, folder))
    {
        const int error = errno;
        if (given.size() > 1 && given.back() == '/') given.pop_back();
        return "the documents folder " + given + ": " +
               (error != 0 ? std::strerror(error) : "it is no folder");
    }
    switch (mClaim.Claim(folder))
    {
    case InterfaceFileClaim::Result::kClaimed:
        break;
    case InterfaceFileClaim::Result::kAllTaken:
        return "the documents folder " + folder + ": every interface file is in use";
    case InterfaceFileClaim::Result::kCannotCreate:
        return "the documents folder " + folder + ": " + std::strerror(errno);
    }
    if (!InterfaceFileLocation::InterfaceFilePath(folder, mClaim.Index(), mInterfaceFilePath))
        return "the documents folder " + folder + ": its interface file path is no plain path";
    return {};
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
    if (mReady) mStamp.Mark(mInterfaceFilePath);
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
    CompanionLink::ProcessAnswer answer;
    const int32 status = CompanionLink::RequestProcessing(request.text, &answer);
    if (status == kStatusNone && answer.reported)
    {
        TraceCompanionReport(answer.report);
        return 0;
    }
    // A companion that stopped (or was stopped) before its end closes without a word and
    // leaves the file as it was given: rendering that would pass the input off as processed.
    if (status == kStatusNone && mStamp.Changed(mInterfaceFilePath)) return 0;
    const int32 code = status == kStatusNone ? kStatusNotProcessed : status;
    if (code == kStatusCompanionFailed) TraceFailure(code, answer.reason);
    if (code == kStatusNotProcessed)
        TraceFailure(code, "it sent no report line and left the file as it was given");
    if (code == kStatusForeignListener)
        TraceFailure(code, "the listener on the port is not this user's, so nothing was sent");
    if (code == kStatusStoppedAnswering)
        TraceFailure(
            code, "it sent progress, then nothing for " +
                      std::to_string(CompanionProtocol::ProgressAnswer::kSilenceMs / 1000) + " s");
    Fail(code);
    return request.rangeCheckResult;
}

void DemoDelay_HostProcessor::TraceFailure(int32 code, const std::string& reason) const
{
    const char* leadIn = StatusTrace::LeadIn(code);
    AAX_CHostServices::Trace(AAX_eTracePriorityHost_High, "%s%s%s", leadIn ? leadIn : "",
                             StatusTrace::kSeparator, reason.c_str());
}

void DemoDelay_HostProcessor::TraceCompanionReport(const std::string& report) const
{
    AAX_CHostServices::Trace(AAX_eTracePriorityHost_Normal, "%s%s",
                             CompanionProtocol::ReportAnswer::kTraceLeadIn, report.c_str());
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
    // The first failure says what went wrong; the steps after it fail only in its wake.
    if (mReady) Report(code);
    mReady = false;
    RemoveInterfaceFile();
}

void DemoDelay_HostProcessor::RemoveInterfaceFile()
{
    // Files still open stay usable until closed, so a pass that failed half-way finishes
    // its steps as before, with nothing left on disk.
    mStamp.Clear();
    // Only the file this instance claimed: without a claim the path names nobody's file.
    if (!mInterfaceFilePath.empty() && mClaim.Index() >= 0) std::remove(mInterfaceFilePath.c_str());
}
