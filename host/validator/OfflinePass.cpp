#include "OfflinePass.h"

namespace orv::host::validator
{

const char* OfflinePass::Name(Companion companion)
{
    switch (companion)
    {
    case Companion::kNone:
        return "no companion";
    case Companion::kProcesses:
        return "companion processes";
    case Companion::kClosesUnprocessed:
        return "companion closes without processing";
    case Companion::kWrongRate:
        return "companion writes the wrong rate";
    case Companion::kWrongLength:
        return "companion writes the wrong length";
    case Companion::kTruncated:
        return "companion leaves a truncated file";
    case Companion::kGarbage:
        return "companion writes garbage";
    case Companion::kNonFiniteSamples:
        return "companion writes non-finite samples";
    case Companion::kFailureAnswer:
        return "companion answers that it failed";
    case Companion::kKilled:
        return "companion killed at work";
    case Companion::kSilent:
        return "companion silent after progress";
    }
    return "?";
}

std::string OfflinePass::Describe() const
{
    return "window " + std::to_string(window) + ", " + std::to_string(sampleRate) + " Hz, " +
           std::to_string(length) + " samples x " + std::to_string(channels) + ", " +
           Name(companion) + (inPlace ? ", rendered in place" : "");
}

} // namespace orv::host::validator
