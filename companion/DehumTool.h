#pragma once

#include "BasebandRecorder.h"
#include "FrequencyRange.h"
#include "HumCanceller.h"
#include "Tool.h"

#include <memory>
#include <vector>

namespace companion
{

// Removes mains hum and nothing else. A first pass records the neighbourhood of every
// harmonic of the mains inside the range (up to kHighestHz), one point per mains period so
// that the other harmonics fall into the record's nulls; HumEstimator decides which
// carry hum and how they drift, and the second pass subtracts just those, rebuilt as
// tracked sinusoids. With "Auto" both 50 and 60 Hz are measured and the mains with the
// more hum wins. Where no hum is found the output is the input.
class DehumTool : public Tool
{
public:
    static constexpr double kAuto = 0.0; // mainsHz for "Auto"
    static constexpr double kHighestHz = 1200.0;

    DehumTool(double mainsHz, const FrequencyRange& range);

    void process(const float* in, float* out, size_t count) override;
    void reset() override;

    bool needsAnalysis() const override { return true; }
    void analyze(const float* in, size_t count) override;
    void finishAnalysis() override;

    // The mains whose hum is removed, 0 when none was found.
    double detectedMainsHz() const;
    size_t detectedHarmonics() const;

    static double presetHz(int preset);

private:
    FrequencyRange range_;
    std::vector<double> candidates_;
    std::vector<BasebandRecorder> recorders_; // one per candidate mains, during analysis
    std::unique_ptr<HumCanceller> canceller_;
    double mainsHz_ = 0.0;
    size_t harmonics_ = 0;
};

} // namespace companion
