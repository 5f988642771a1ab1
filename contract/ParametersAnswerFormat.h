#pragma once

// The companion's answer to "parameters", one line with no white space:
//   {"version":"2.0","tools":["T1","T2"],"presets":[["P1","P2"],["P1"]],"rangeMax":20000}
// The editor cuts it apart by searching for these spellings rather than parsing JSON, so the
// companion writes exactly them.
namespace ParametersAnswerFormat
{

// Each key with the characters that open its value.
constexpr const char* kVersionOpen = "\"version\":\"";
constexpr const char* kToolsOpen = "\"tools\":[";
constexpr const char* kPresetsOpen = "\"presets\":[";
constexpr const char* kRangeMaxOpen = "\"rangeMax\":";

} // namespace ParametersAnswerFormat
