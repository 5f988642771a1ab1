#pragma once

#include <cstddef>
#include <string>

namespace companion
{

// One processing tool. process() is a stream: called block after block, it writes as many
// samples as it reads, delayed by latency() samples (AlignedStage takes the delay away).
// Tools that must measure their whole input first say so; they are then given the complete
// input through analyze() and finishAnalysis() before the first process().
class Tool
{
public:
    virtual ~Tool() = default;

    virtual size_t latency() const { return 0; }
    // `in` and `out` may be the same buffer.
    virtual void process(const float* in, float* out, size_t count) = 0;
    // Clears the stream state (not the analysis), so the input can be streamed again.
    virtual void reset() {}

    // Whole passes over the input before the output one; finishAnalysis() ends each.
    virtual int analysisPasses() const { return 0; }
    virtual void analyze(const float* /*in*/, size_t /*count*/) {}
    virtual void finishAnalysis() {}

    // What the tool found and did over the whole run, in a few words for the user's report
    // ("hum at 50.02 Hz, 9 harmonics, 36 dB down"); read once the run is complete. A tool
    // that could not help says so here rather than staying silent.
    virtual std::string finding() const { return {}; }
};

} // namespace companion
