#pragma once

#include <cstdint>

#include "OfflineStatus.h"

// For the failures whose reason a user needs to act on, the plug-in traces one line
// "<lead-in>: <reason>" before it publishes the code; the reference host prints that line
// above its status line. The lead-in is the code's meaning in a few words.
namespace StatusTrace
{

constexpr const char* kCompanionFailed = "the companion could not process the file";
constexpr const char* kNoFolder = "the interface file could not be created";
constexpr const char* kTooLong = "the selection could not be written to the interface file";
constexpr const char* kNotProcessed = "the companion closed without processing the file";
constexpr const char* kForeignListener = "the companion port belongs to another user";
constexpr const char* kStoppedAnswering = "the companion stopped answering";
constexpr const char* kSeparator = ": ";

// The lead-in of a code's trace line; null for a code that has none.
constexpr const char* LeadIn(std::int32_t code)
{
    switch (code)
    {
    case kStatusCompanionFailed:
        return kCompanionFailed;
    case kStatusCreateFile:
        return kNoFolder;
    case kStatusAppendSlice:
        return kTooLong;
    case kStatusNotProcessed:
        return kNotProcessed;
    case kStatusForeignListener:
        return kForeignListener;
    case kStatusStoppedAnswering:
        return kStoppedAnswering;
    default:
        return nullptr;
    }
}

} // namespace StatusTrace
