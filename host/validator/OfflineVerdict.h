#pragma once

#include <string>
#include <vector>

#include "OfflinePass.h"
#include "OfflineStatus.h"

namespace orv::host::validator
{

// What the offline check holds one finished pass to. The render is always the full
// selection on every channel and always finite. "Comm" carries a status: 5 is success, and
// the first channel is then what the companion wrote (the input when its report says it
// had nothing to do).
// Every other code is a failure and the first channel is the input, except a processed file
// that ended early (code 8): what it held before its end comes first, the input after it.
// A companion that sent a file of the wrong rate or length, garbage or non-finite samples,
// closed without processing the file (27, also when killed at work) or fell silent after
// progress (29), must be reported as a failure.
class OfflineVerdict
{
public:
    static constexpr int kSuccessCode = kStatusUnderWay;
    static constexpr int kSliceReadCode = kStatusSliceRead;
    static constexpr int kCompanionFailedCode = kStatusCompanionFailed;
    static constexpr int kNotProcessedCode = kStatusNotProcessed;
    static constexpr int kStoppedAnsweringCode = kStatusStoppedAnswering;

    // input and output: one vector per channel. written: the samples the companion wrote
    // (empty when it wrote none). Returns one line per fault found; empty when none.
    static std::vector<std::string> Judge(const OfflinePass& pass,
                                          const std::vector<std::vector<float>>& input,
                                          const std::vector<std::vector<float>>& output,
                                          double comm, const std::vector<float>& written);

    // The status code "Comm" carries (code / 100), or -1 when it carries none.
    static int StatusCode(double comm);
};

} // namespace orv::host::validator
