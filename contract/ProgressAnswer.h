#pragma once

#include <cstddef>

// How the companion shows it is alive while a "process" request waits in its queue or is
// processed: a line {"progress":<fraction 0..1>} ended by a line feed, at least once every
// kIntervalMs. The plug-in reads and drops these lines; once one has arrived, kSilenceMs
// without a byte means the companion stopped answering. A companion that never sends one is
// waited for until it closes.
namespace ProgressAnswer
{

constexpr const char* kKey = "progress";
constexpr const char* kPrefix = "{\"progress\":";
constexpr std::size_t kPrefixLength = 12;
constexpr int kIntervalMs = 1000;
constexpr int kSilenceMs = 30000;

} // namespace ProgressAnswer
