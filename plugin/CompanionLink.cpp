#include "CompanionLink.h"

#include <algorithm>

#include "AAX_IController.h"
#include "CompanionAnswerParser.h"
#include "CompanionAnswerReader.h"
#include "CompanionConnection.h"
#include "CompanionFailureAnswer.h"
#include "CompanionProtocol.h"
#include "OfflineParameterIDs.h"
#include "OfflineStatus.h"

namespace CompanionLink
{
namespace
{

using Result = CompanionConnection::Result;

int32 ProcessStatus(Result result)
{
    switch (result)
    {
    case Result::kOK:
        return kStatusNone;
    case Result::kSocketFailed:
        return kStatusSocket;
    case Result::kResolveFailed:
        return kStatusResolve;
    case Result::kConnectFailed:
        return kStatusConnect;
    case Result::kSendFailed:
        return kStatusSend;
    case Result::kReceiveFailed:
        return kStatusReceive;
    case Result::kTimedOut:
    case Result::kSilent:
        return kStatusStoppedAnswering;
    case Result::kForeignListener:
        return kStatusForeignListener;
    }
    return kStatusReceive;
}

int32 InfoStatus(Result result)
{
    switch (result)
    {
    case Result::kOK:
        return CompanionInfo::kInfoOK;
    case Result::kSocketFailed:
        return CompanionInfo::kInfoSocketFailed;
    case Result::kResolveFailed:
        return CompanionInfo::kInfoResolveFailed;
    case Result::kConnectFailed:
        return CompanionInfo::kInfoConnectFailed;
    case Result::kSendFailed:
        return CompanionInfo::kInfoSendFailed;
    case Result::kReceiveFailed:
        return CompanionInfo::kInfoReceiveFailed;
    case Result::kTimedOut:
    case Result::kSilent:
        return CompanionInfo::kInfoNoAnswer;
    case Result::kForeignListener:
        return CompanionInfo::kInfoForeignListener;
    }
    return CompanionInfo::kInfoReceiveFailed;
}

void Reset(CompanionInfo& info)
{
    info.replyReceived = false;
    info.linkOK = true;
    info.infoStatus = CompanionInfo::kInfoOK;
    info.version.clear();
    info.toolCount = 0;
    info.presetGroupCount = 0;
    info.presetCounts.fill(0);
}

// An answer the editor can use names all four keys.
bool HasEveryKey(const std::string& answer)
{
    using namespace CompanionProtocol::ParametersAnswerFormat;
    const std::string bounded = answer.substr(0, CompanionProtocol::kMaxParametersAnswerBytes);
    for (const char* key : {kVersionOpen, kToolsOpen, kPresetsOpen, kRangeMaxOpen})
        if (bounded.find(key) == std::string::npos) return false;
    return true;
}

} // namespace

int32 RequestProcessing(const std::string& request, ProcessAnswer* outAnswer)
{
    CompanionAnswerReader lines;
    CompanionConnection::Limits limits;
    limits.silenceMs = CompanionProtocol::ProgressAnswer::kSilenceMs;
    const Result result = CompanionConnection::Exchange(request, nullptr, limits, &lines);
    if (result != Result::kOK) return ProcessStatus(result);
    const std::string text = lines.Text();
    if (CompanionFailureAnswer::IsFailure(text))
    {
        if (outAnswer) outAnswer->reason = CompanionFailureAnswer::Reason(text);
        return kStatusCompanionFailed;
    }
    if (outAnswer && CompanionFailureAnswer::IsReport(text))
    {
        outAnswer->reported = true;
        outAnswer->report = CompanionFailureAnswer::Report(text);
    }
    return kStatusNone;
}

int32 RequestCompanionInfo(const AAX_IController* controller, AAX_IACFEffectParameters* parameters,
                           CompanionInfo& info)
{
    Reset(info);
    float sampleRate = 2.0f * CompanionInfo::kDefaultRangeMax;
    if (controller) controller->GetSampleRate(&sampleRate);
    const float halfSampleRate = sampleRate * 0.5f;

    CompanionConnection::Reply reply;
    CompanionConnection::Limits limits;
    limits.maxReplyBytes = CompanionProtocol::kMaxParametersAnswerBytes;
    limits.deadlineMs = kParametersDeadlineMs;
    const Result result = CompanionConnection::Exchange(
        std::string(CompanionProtocol::kParametersRequest) + CompanionProtocol::kLineEnd, &reply,
        limits);
    info.replyReceived = reply.received;
    if (result != Result::kOK)
    {
        info.infoStatus = InfoStatus(result);
        info.linkOK = false;
        return 1;
    }
    if (!reply.received)
    {
        if (parameters)
            parameters->SetParameterNormalizedValue(OfflineParameterIDs::kToolCount, 0.0);
        info.rangeMax = std::min(halfSampleRate, CompanionInfo::kDefaultRangeMax);
        return 0;
    }
    if (!HasEveryKey(reply.text))
    {
        if (parameters)
            parameters->SetParameterNormalizedValue(OfflineParameterIDs::kToolCount, 0.0);
        info.infoStatus = CompanionInfo::kInfoUnreadable;
        info.linkOK = false;
        return 1;
    }
    CompanionAnswerParser::Parse(reply.text, halfSampleRate, info);
    return 0;
}

} // namespace CompanionLink
