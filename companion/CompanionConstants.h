#pragma once

#include <cstddef>
#include <cstdint>

#include "CompanionEndpoint.h"

namespace companion
{

// Reported in the "parameters" answer.
constexpr const char* kCompanionVersion = "1.0.0";
// A request longer than this is not from the plug-in (its path member holds 999 bytes).
constexpr size_t kMaxRequestBytes = 4096;
// The error a "process" request is answered with when the companion stops before its end.
constexpr const char* kStoppedReason = "the companion stopped before the file was processed";
// The error a connection is refused with when its socket is not one of this user's, still
// connected: another user's program, or a client that has already closed.
constexpr const char* kForeignPeerReason = "this companion serves only its own user's programs";
// A request line must arrive whole within this time of the connection being accepted.
constexpr int kLineDeadlineMs = 10000;
// Sample rates the tools are designed for; filter lengths grow with the rate.
constexpr int kMinSampleRate = 1000;
constexpr int kMaxSampleRate = 384000;
// Samples read, processed and written per step; bounds the memory of a run.
constexpr size_t kBlockSamples = 65536;

} // namespace companion
