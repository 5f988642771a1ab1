#pragma once

#include <string>

#include "HostChunk.h"
#include "ValidationCheck.h"

namespace orv::host::validator
{

class CheckContext;
class CheckSession;
class CheckedInstance;

// Holds the state chunk to what a host relies on: random settings saved, restored into a new
// instance and compared come back equal at float precision; saving twice, or saving what was
// restored, gives the same bytes; the master bypass stays out of the chunk. Damaged chunks
// (empty, cut at every length, random megabytes, the real chunk with bytes changed or junk
// appended) are restored without a crash and leave every parameter finite within 0..1.
class StateCheck : public ValidationCheck
{
public:
    // Randomize, save, restore rounds at strictness 10.
    static constexpr int kRounds = 25;
    // Random chunks of kRandomChunkSize bytes, and damaged copies of the real one.
    static constexpr int kRandomChunks = 4;
    static constexpr uint32 kRandomChunkSize = 1u << 20;
    static constexpr int kMutatedChunks = 1000;

    const char* Name() const override { return "state"; }
    const char* Summary() const override
    {
        return "save, restore and compare are exact and repeatable; no bypass in the chunk; "
               "damaged chunks are harmless";
    }
    void Run(CheckContext& context) override;

private:
    // One randomize, save, restore, compare round; false after a fault (reported).
    bool RoundTrip(CheckContext& context, CheckSession& session, CheckedInstance& instance,
                   int round, HostChunk* outSaved);
    // The bypass changed, the chunk must not: false after a fault (reported).
    bool BypassStaysOut(CheckContext& context, CheckedInstance& instance);
    // Restores damaged forms of good one after another, until the first fault.
    void DamagedChunks(CheckContext& context, CheckedInstance& instance, const HostChunk& good);
    // Restores chunk into instance and checks every value; false after a fault (reported,
    // with the chunk as evidence).
    bool RestoreDamaged(CheckContext& context, CheckedInstance& instance, const HostChunk& chunk,
                        const std::string& what);

    // Damaged chunks restored in this run, for the report.
    int mDamagedRestored = 0;
};

} // namespace orv::host::validator
