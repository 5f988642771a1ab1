#pragma once

#include <cmath>
#include <cstdint>

#include "ParameterIDs.h"

// Status codes of the offline processor, published through "Comm" as code / 100. 5 means
// under way or done; every other code is a failure after which the selection renders
// unchanged.
enum OfflineStatus : std::int32_t
{
    kStatusNone = 0,
    kStatusUnderWay = 5,
    kStatusSliceRead = 8,        // a slice cannot be read from the processed file
    kStatusFormat = 9,           // not RIFF WAVE, or channels, rate or bits differ
    kStatusSampleCount = 14,     // the processed file's sample count differs
    kStatusSocket = 16,          // no socket
    kStatusResolve = 17,         // the loopback host name cannot be resolved
    kStatusConnect = 20,         // nobody listening
    kStatusSend = 21,            // the request cannot be sent
    kStatusCompanionFailed = 22, // the companion answered that it could not process the file
    kStatusReceive = 23,         // reading the reply failed
    kStatusCreateFile = 24,      // no usable folder, or the file or its header cannot be written
    kStatusCompleteFile = 25,    // the file was not open at completion, or its sizes failed
    kStatusAppendSlice = 26,     // a slice cannot be appended (or would overflow the sizes)
    kStatusNotProcessed = 27,    // the companion closed without processing the file: no report
                                 // line, and the file is the one it was given, untouched
    kStatusForeignListener = 28, // the companion port belongs to another user: nothing sent
    // The companion sent progress, then nothing for its silence limit.
    kStatusStoppedAnswering = 29,
    kStatusReadFirstTag = 47,    // header check, step 1; one code per step up to 63
    kStatusReadRiffSize = 48,
    kStatusReadFormTag = 49,
    kStatusReadChunkTag = 50,
    kStatusReadSkipSize = 51,
    kStatusReadSkipTag = 52,
    kStatusTooManyChunks = 53,
    kStatusReadFormatSize = 54,
    kStatusReadFormatCode = 55,
    kStatusReadChannels = 56,
    kStatusReadSampleRate = 57,
    kStatusReadByteRates = 58,
    kStatusReadBits = 59,
    kStatusReadTagAfterFormat = 60,
    kStatusReadDataSkipSize = 61,
    kStatusReadDataSkipTag = 62,
    kStatusReadDataSize = 63,
};

// The "Comm" value that carries a status code.
constexpr double StatusToComm(std::int32_t code)
{
    return code * 0.01;
}

// The code a "Comm" value carries: the nearest whole number to value * 100. The parameter
// holds single precision, so a carried code comes back a little above or below; rounding
// gives it back exactly where truncation would not (0.29 * 100 is 28.99...).
inline std::int32_t StatusFromComm(double comm)
{
    if (!std::isfinite(comm)) return kStatusNone;
    return static_cast<std::int32_t>(std::lround(comm * kCountScale));
}
