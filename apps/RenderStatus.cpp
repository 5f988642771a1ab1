#include "RenderStatus.h"

#include <algorithm>

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
    {0, "the plug-in reported nothing"},
    {5, "processed by the companion"},
    {8, "a slice of the processed file could not be read"},
    {9, "the processed file has the wrong format"},
    {14, "the processed file has the wrong length"},
    {16, "no socket for the companion link"},
    {17, "the loopback host name cannot be resolved"},
    {20, "the companion orvendal-qv is not running"},
    {21, "the request could not be sent to the companion"},
    {RenderStatus::kCompanionFailed, "the companion could not process the file"},
    {23, "the companion's reply could not be read"},
    {24, "the interface file could not be created"},
    {25, "the interface file could not be completed"},
    {26, "the selection could not be written to the interface file"},
};
constexpr int32 kFirstHeaderStep = 47;
constexpr int32 kLastHeaderStep = 63;

} // namespace

int32 RenderStatus::FromComm(double comm)
{
    return static_cast<int32>(comm * 100.0 + 0.49);
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
    const std::string leadIn = Message(kCompanionFailed) + ": ";
    for (auto trace = traces.rbegin(); trace != traces.rend(); ++trace)
    {
        if (trace->compare(0, leadIn.size(), leadIn) != 0) continue;
        std::string reason = trace->substr(leadIn.size());
        // The status line stays one line whatever the companion wrote.
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
