#include "DehumTool.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace companion
{

double DehumTool::presetHz(int preset)
{
    static const double kPresets[] = {50.0, 60.0, kAuto};
    return kPresets[preset];
}

DehumTool::DehumTool(double mainsHz, const FrequencyRange& range) : range_(range)
{
    candidates_ = mainsHz == kAuto ? std::vector<double>{50.0, 60.0} : std::vector<double>{mainsHz};
    canceller_ = std::make_unique<HumCanceller>(HumModel(), range_.sampleRate, 0);
}

size_t DehumTool::latency() const
{
    return HumCanceller::latencyFor(range_.sampleRate);
}

void DehumTool::analyze(const float* in, size_t count)
{
    if (estimators_.empty() && passesDone_ == 0)
    {
        // Harmonics are measured up to kHighestHz even outside the range: the series they
        // make tells hum from tones; only those inside it are removed.
        const double top = std::min(kHighestHz, 0.45 * range_.sampleRate);
        for (double mains : candidates_)
            estimators_.push_back(std::make_unique<HumEstimator>(
                mains, static_cast<size_t>(std::max(1.0, std::floor(top / mains))), range_));
    }
    else if (estimators_.empty() && !model_.empty() && analysed_ == 0)
    {
        HumModel found = model_;
        // The whole series measured again, so harmonics the first pass missed can join.
        const double top = std::min(kHighestHz, 0.45 * range_.sampleRate);
        found.harmonics = static_cast<size_t>(std::max(1.0, std::floor(top / found.mainsHz)));
        found.clarity.resize(found.harmonics, 0.0);
        estimators_.push_back(std::make_unique<HumEstimator>(found, range_));
        startTrials();
    }
    for (auto& estimator : estimators_)
        estimator->add(in, count);
    for (auto* trial : {coarseTrial_.get(), fineTrial_.get()})
        if (trial)
        {
            scratch_.resize(count);
            trial->process(in, scratch_.data(), count);
        }
    analysed_ += count;
}

void DehumTool::startTrials()
{
    if (!HumCanceller::measuresWhole(total_, range_.sampleRate)) return;
    HumModel fine = model_;
    fine.fineHops = true;
    coarseTrial_ = std::make_unique<HumCanceller>(model_, range_.sampleRate, total_);
    fineTrial_ = std::make_unique<HumCanceller>(fine, range_.sampleRate, total_);
}

// Fine hops unless their means come out, summed over the hum's harmonics, more than
// kFineSpread times as unsure as coarse ones': where speech passes they come to a third
// or a half, where notes are held near the lines to several times.
void DehumTool::chooseHops()
{
    if (!coarseTrial_) return;
    // The padding after the input, so that every hop of it has been the centre.
    const std::vector<float> zeros(coarseTrial_->latency(), 0.0f);
    scratch_.resize(zeros.size());
    coarseTrial_->process(zeros.data(), scratch_.data(), zeros.size());
    fineTrial_->process(zeros.data(), scratch_.data(), zeros.size());
    model_.fineHops = fineTrial_->spread() < kFineSpread * coarseTrial_->spread();
    coarseTrial_.reset();
    fineTrial_.reset();
    scratch_ = {};
}

void DehumTool::finishAnalysis()
{
    ++passesDone_;
    if (passesDone_ == 1)
    {
        model_ = HumModel();
        total_ = analysed_;
        tooShort_ = static_cast<double>(analysed_) < kShortestSeconds * range_.sampleRate;
    }
    for (auto& estimator : estimators_)
    {
        if (tooShort_) break;
        HumModel model = estimator->finish();
        // The second look replaces the first only where it still finds hum.
        // Where the hum sat stays the first look's: steered by every hum harmonic, the
        // second wanders further where the file holds no hum.
        if (passesDone_ > 1 && !model.empty())
        {
            model.meanHz = model_.meanHz;
            model_ = std::move(model);
        }
        else if (!model.empty() && model.power > model_.power)
            model_ = std::move(model);
    }
    estimators_.clear();
    chooseHops();
    canceller_ = std::make_unique<HumCanceller>(model_, range_.sampleRate, total_);
    analysed_ = 0;
}

double DehumTool::detectedMainsHz() const
{
    return model_.empty() ? 0.0 : model_.mainsHz;
}

size_t DehumTool::detectedHarmonics() const
{
    return model_.count();
}

std::string DehumTool::finding() const
{
    if (tooShort_) return "too short to tell hum, left as it was";
    if (model_.empty()) return "no hum found, left as it was";
    char text[96];
    std::snprintf(text, sizeof text, "hum at %.2f Hz, %zu harmonic%s, about %.0f dB down",
                  model_.meanHz, model_.count(), model_.count() == 1 ? "" : "s", model_.downDb);
    return text;
}

void DehumTool::process(const float* in, float* out, size_t count)
{
    canceller_->process(in, out, count);
}

void DehumTool::reset()
{
    canceller_->reset();
}

} // namespace companion
