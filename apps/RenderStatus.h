#pragma once

#include <string>
#include <vector>

#include "AAX.h"
#include "OfflineStatus.h"

namespace orv::apps
{

// The plug-in's status after a render, read from its "Comm" parameter (code / 100).
class RenderStatus
{
public:
    // The code that marks a render the companion processed.
    static constexpr int32 kProcessed = kStatusUnderWay;
    // The code of a file the companion answered it could not process; the plug-in traces
    // the companion's reason as Message(kCompanionFailed) + ": " + reason.
    static constexpr int32 kCompanionFailed = kStatusCompanionFailed;

    // The code a "Comm" value carries (StatusFromComm).
    static int32 FromComm(double comm);
    // What the code means, in a few words.
    static std::string Message(int32 code);
    // The companion's reason among the plug-in's traces: the last one that gives it, without
    // its lead-in. Empty when none does.
    static std::string CompanionReason(const std::vector<std::string>& traces);
    // The companion's report of what it found and did, the same way (the last one given).
    static std::string CompanionReport(const std::vector<std::string>& traces);
    // The plug-in's trace line that says why the pass failed with code (StatusTrace.h), lead-in
    // included, on one line; empty for a code without one or when none was traced.
    static std::string ReasonTrace(int32 code, const std::vector<std::string>& traces);
    // What follows "status: " on the status line: the code and its message, and for
    // kCompanionFailed the companion's reason when there is one.
    static std::string Line(int32 code, const std::string& companionReason);

private:
    // The last trace that starts with leadIn, without it, on one line; empty when none does.
    static std::string LastTraced(const std::vector<std::string>& traces,
                                  const std::string& leadIn);
};

} // namespace orv::apps
