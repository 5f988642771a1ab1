#pragma once

#include <cstdint>
#include <random>
#include <vector>

#include "OfflinePass.h"

namespace orv::host::validator
{

// The passes of one offline check: first a set that takes every window size, sample rate,
// selection length and companion behaviour at least once (the axes shuffled against each
// other), then extraPasses combinations drawn at random. The same generator state gives
// the same plan.
class OfflinePassPlan
{
public:
    static const std::vector<int32>& WindowSizes();
    static const std::vector<int32>& SampleRates();
    // The lengths every plan has; drawn passes add lengths in between.
    static const std::vector<int64>& Lengths();

    static std::vector<OfflinePass> Make(std::mt19937_64& random, std::int64_t extraPasses);
};

} // namespace orv::host::validator
