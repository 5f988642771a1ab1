#include "RenderStatus.h"

#include <algorithm>

#include "CompanionProtocol.h"
#include "StatusTrace.h"

namespace orv::apps
{

namespace
{

struct Entry
{
    int32 code;
    const char* message;
};

constexpr Entry kMessages[] = {
    {kStatusNone, "the plug-in reported nothing"},
    {kStatusUnderWay, "processed by the companion"},
    {kStatusSliceRead, "a slice of the processed file could not be read"},
    {kStatusFormat, "the processed file has the wrong format"},
    {kStatusSampleCount, "the processed file has the wrong length"},
    {kStatusSocket, "no socket for the companion link"},
    {kStatusResolve, "the loopback host name cannot be resolved"},
    {kStatusConnect, "the companion orvendal-qv is not running"},
    {kStatusSend, "the request could not be sent to the companion"},
    {kStatusCompanionFailed, StatusTrace::kCompanionFailed},
    {kStatusReceive, "the companion's reply could not be read"},
    {kStatusCreateFile, StatusTrace::kNoFolder},
    {kStatusCompleteFile, "the interface file could not be completed"},
    {kStatusAppendSlice, StatusTrace::kTooLong},
    {kStatusNotProcessed, StatusTrace::kNotProcessed},
    {kStatusForeignListener, StatusTrace::kForeignListener},
    {kStatusStoppedAnswering, StatusTrace::kStoppedAnswering},
};
constexpr int32 kFirstHeaderStep = kStatusReadFirstTag;
constexpr int32 kLastHeaderStep = kStatusReadDataSize;

} // namespace

int32 RenderStatus::FromComm(double comm)
{
    return StatusFromComm(comm);
}

std::string RenderStatus::Message(int32 code)
{
    for (const Entry& entry : kMessages)
        if (entry.code == code) return entry.message;
    if (code >= kFirstHeaderStep && code <= kLastHeaderStep)
        return "the processed file's header failed check step " +
               std::to_string(code - kFirstHeaderStep + 1);
    return "unknown status";
}

std::string RenderStatus::CompanionReason(const std::vector<std::string>& traces)
{
    return LastTraced(traces, Message(kCompanionFailed) + ": ");
}

std::string RenderStatus::CompanionReport(const std::vector<std::string>& traces)
{
    return LastTraced(traces, CompanionProtocol::ReportAnswer::kTraceLeadIn);
}

std::string RenderStatus::ReasonTrace(int32 code, const std::vector<std::string>& traces)
{
    const char* leadIn = StatusTrace::LeadIn(code);
    if (!leadIn) return std::string();
    const std::string start = std::string(leadIn) + StatusTrace::kSeparator;
    const std::string reason = LastTraced(traces, start);
    return reason.empty() ? std::string() : start + reason;
}

std::string RenderStatus::LastTraced(const std::vector<std::string>& traces,
                                     const std::string& leadIn)
{
    for (auto trace = traces.rbegin(); trace != traces.rend(); ++trace)
    {
        if (trace->compare(0, leadIn.size(), leadIn) != 0) continue;
        std::string reason = trace->substr(leadIn.size());
        // Each printed line stays one line whatever the companion wrote.
        std::replace_if(
            reason.begin(), reason.end(), [](char c) { return c == '\n' || c == '\r'; }, ' ');
        while (!reason.empty() && reason.back() == ' ')
            reason.pop_back();
        return reason;
    }
    return std::string();
}

std::string RenderStatus::Line(int32 code, const std::string& companionReason)
{
    std::string line = std::to_string(code) + " " + Message(code);
    if (code == kCompanionFailed && !companionReason.empty()) line += ": " + companionReason;
    return line;
}

} // namespace orv::apps
