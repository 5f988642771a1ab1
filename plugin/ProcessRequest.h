#pragma once

#include <string>

#include "AAX_IACFEffectParameters.h"

// Builds the "process" request line of CompanionProtocol.h, with its line feed, from the
// tool, preset and range parameters.
namespace ProcessRequest
{

struct Request
{
    std::string text;
    // Tools listed (at least 1, at most CompanionProtocol::kMaxTools).
    int32 toolCount = 0;
    // Result of the read of "chkfr".
    AAX_Result rangeCheckResult = 0;
};

// Counts, preset numbers and frequencies are read with CountFromValue; a read that fails (or a
// null parameters interface) counts as 0. "NTools" above kMaxTools lists kMaxTools tools.
Request Build(const AAX_IACFEffectParameters* parameters, float sampleRate,
              const std::string& inputPath);

} // namespace ProcessRequest
