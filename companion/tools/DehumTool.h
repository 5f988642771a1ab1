#pragma once

#include "FrequencyRange.h"
#include "HumCanceller.h"
#include "HumEstimator.h"
#include "HumModel.h"
#include "Tool.h"

#include <memory>
#include <string>
#include <vector>

namespace companion
{

// Removes mains hum and nothing else. The analysis pass follows each candidate mains
// through the file (HumEstimator) and decides which harmonics carry hum; with "Auto" both
// 50 and 60 Hz are measured and the mains with the more hum wins. The second pass follows
// the hum again and subtracts just those harmonics (HumCanceller). Memory stays a few hops
// whatever the file's length. Where no hum is found the output is the input.
class DehumTool : public Tool
{
public:
    static constexpr double kAuto = 0.0; // mainsHz for "Auto"
    static constexpr double kHighestHz = 6000.0;
    // Below this a line cannot be told from anything else held as briefly: the file is
    // left as it was, and the finding says why.
    static constexpr double kShortestSeconds = 0.25;
    // How much less sure fine hops may leave the hum than coarse ones and still be chosen.
    static constexpr double kFineSpread = 2.0;

    DehumTool(double mainsHz, const FrequencyRange& range);

    size_t latency() const override;
    void process(const float* in, float* out, size_t count) override;
    void reset() override;

    // The first finds the mains and its hum; the second looks again steered by all of it.
    int analysisPasses() const override { return 2; }
    void analyze(const float* in, size_t count) override;
    void finishAnalysis() override;
    std::string finding() const override;

    // The mains whose hum is removed, 0 when none was found.
    double detectedMainsHz() const;
    size_t detectedHarmonics() const;

    static double presetHz(int preset);

private:
    FrequencyRange range_;
    std::vector<double> candidates_;
    std::vector<std::unique_ptr<HumEstimator>> estimators_; // during analysis
    size_t analysed_ = 0;
    int passesDone_ = 0;
    bool tooShort_ = false;
    void startTrials();
    void chooseHops();

    HumModel model_;
    size_t total_ = 0;
    std::unique_ptr<HumCanceller> canceller_;
    // While a file the canceller measures whole is looked at again: the first look's hum
    // cancelled in coarse and in fine hops, to see which leave its means surer.
    std::unique_ptr<HumCanceller> coarseTrial_;
    std::unique_ptr<HumCanceller> fineTrial_;
    std::vector<float> scratch_;
};

} // namespace companion
