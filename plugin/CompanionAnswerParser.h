#pragma once

#include <string>

#include "CompanionInfo.h"
#include "CompanionProtocol.h"

// Reads the companion's answer to "parameters", for example
// {"version":"2.0","tools":["T1","T2"],"presets":[["P1","P2"],["P1"]],"rangeMax":20000}
// Each key is searched in the whole answer; each value is cut from at most the
// kMaxParametersAnswerBytes that follow its key. Texts, tools and presets beyond what CompanionInfo
// holds are dropped.
namespace CompanionAnswerParser
{

// Fills version, the tools, the preset groups and rangeMax (the smaller of halfSampleRate
// and the answer's "rangeMax"; without a readable number there, the smaller of
// halfSampleRate and kRangeMaxHz). The caller resets the record beforehand.
void Parse(const std::string& answer, float halfSampleRate, CompanionInfo& info);

} // namespace CompanionAnswerParser
