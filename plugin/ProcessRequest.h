#pragma once

#include <string>

#include "AAX_IACFEffectParameters.h"

// Builds the "process" request from the tool, preset and range parameters, for example
// {request:"process", tools:[true,false], presets: [3,0],rangeLow: 0, rangeHigh: 22050,
// input: "/home/me/Documents/Orvendal_interface_0.wav"} and a line feed.
namespace ProcessRequest
{

struct Request
{
    std::string text;
    // Tools listed (at least 1, at most 20).
    int32 toolCount = 0;
    // Result of the read of "chkfr".
    AAX_Result rangeCheckResult = 0;
};

// Counts, preset numbers and frequencies are read with CountFromValue; a read that fails (or a
// null parameters interface) counts as 0. "NTools" above 20 lists 20 tools.
Request Build(const AAX_IACFEffectParameters* parameters, float sampleRate,
              const std::string& inputPath);

} // namespace ProcessRequest
