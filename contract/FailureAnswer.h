#pragma once

#include <cstddef>

// How the companion answers a "process" request it refuses or fails: one line
// {"error":"<reason>"} with the reason as a JSON string, ended by a line feed. Any other
// answer, or none, means the file was processed.
namespace FailureAnswer
{

constexpr const char* kPrefix = "{\"error\":";
constexpr std::size_t kPrefixLength = 9;
constexpr const char* kSuffix = "}\n";

} // namespace FailureAnswer
