#pragma once

#include <cstddef>

// How the companion answers a "process" request it refuses or fails: one line
// {"error":"<reason>"} with the reason as a JSON string, ended by a line feed. The first
// line that starts so decides, wherever it stands in the answer. Without it, a processed
// file is shown by a report line (ReportAnswer.h) or by the file itself having changed.
namespace FailureAnswer
{

constexpr const char* kKey = "error";
constexpr const char* kPrefix = "{\"error\":";
constexpr std::size_t kPrefixLength = 9;
constexpr const char* kSuffix = "}\n";

} // namespace FailureAnswer
