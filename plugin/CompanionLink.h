#pragma once

#include <string>

#include "AAX_IACFEffectParameters.h"
#include "CompanionInfo.h"

class AAX_IController;

// The two exchanges with the companion application: "process" for the host processor and
// "parameters" for the editor. Each opens its own connection and blocks until the
// companion closes it: "parameters" at most kParametersDeadlineMs, "process" as long as the
// companion works, but no longer than the silence limit once it has sent progress.
namespace CompanionLink
{

// The whole "parameters" exchange, so an editor opens whatever holds the port.
constexpr int kParametersDeadlineMs = 3000;

// What the companion said about a "process" request.
struct ProcessAnswer
{
    std::string reason;    // why it could not process the file
    bool reported = false; // it sent a report line: its proof of having processed the file
    std::string report;    // that line's text
};

// Sends a built "process" request and waits for the companion to finish. Returns 0, the
// status code of the failed step (kStatusSocket to kStatusReceive), kStatusCompanionFailed
// when the companion answered that it could not process the file, or
// kStatusStoppedAnswering when it fell silent after a progress line.
// What it said goes to outAnswer (may be null). Any other answer, or none, returns 0: whether
// the file was processed is for the caller to judge from the report and the file.
int32 RequestProcessing(const std::string& request, ProcessAnswer* outAnswer);

// The "parameters" exchange: resets info, asks the companion and fills info from its
// answer. The sample rate comes from controller (may be null: rangeMax is then bounded by
// CompanionProtocol::kRangeMaxHz only). A companion that closes without answering sets "NTools" to
// 0 through parameters (may be null). Returns 0 after a completed exchange, 1 after a failure, with
// the failure in info.infoStatus (kInfoNoAnswer past the deadline, kInfoUnreadable for an
// answer without the version, tools, presets and rangeMax keys).
int32 RequestCompanionInfo(const AAX_IController* controller, AAX_IACFEffectParameters* parameters,
                           CompanionInfo& info);

} // namespace CompanionLink
