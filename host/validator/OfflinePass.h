#pragma once

#include <string>

#include "AAX.h"

namespace orv::host::validator
{

// One offline run the offline check makes: the host's window size and sample rate, the
// selection's length and channels, and what answers on the companion port.
struct OfflinePass
{
    enum class Companion
    {
        kNone,              // nobody listening
        kProcesses,         // processes the file with a gain, as it should
        kClosesUnprocessed, // closes the connection without touching the file
        kWrongRate,         // writes the result at another sample rate
        kWrongLength,       // writes one or more samples too many or too few
        kTruncated,         // writes the result, then it is cut short
        kGarbage,           // replaces the file with random bytes
        kNonFiniteSamples,  // writes the result with NaN and infinities among the samples
        kFailureAnswer,     // answers that it could not process the file, leaving it as it was
        kKilled,            // sends progress, then dies at work: closes, the file untouched
        // Sends progress, then nothing: never drawn, as each such pass takes the plug-in's
        // whole silence limit; the check makes one of its own.
        kSilent,
    };
    // The kinds the plan draws from: all but kSilent.
    static constexpr int kCompanionKinds = 10;
    static constexpr int kAllCompanionKinds = 11;

    int32 window = 1024;
    int32 sampleRate = 48000;
    int64 length = 0;
    int32 channels = 1;
    Companion companion = Companion::kNone;
    // The render pass hands the same buffers as input and output.
    bool inPlace = false;

    // "window 17, 44100 Hz, 1000000 samples x 2, companion writes the wrong rate": names the
    // pass in progress steps, failures and evidence.
    std::string Describe() const;
    static const char* Name(Companion companion);
};

} // namespace orv::host::validator
