#include "ClickDetector.h"

#include <algorithm>
#include <cmath>

namespace companion
{

namespace
{
// An error scale below this is digital silence, where any sample would stand out.
constexpr double kScaleFloor = 2e-5;
// Samples over which a burst's error energy is summed.
constexpr size_t kEnergySpan = 8;
constexpr size_t kReach = 1;
// Quarter frames whose errors are looked at: the frame's four and one either side.
constexpr size_t kParts = 6;
} // namespace

ClickDetector::ClickDetector(double threshold, size_t frame, int order)
    : threshold_(threshold), frame_(frame), order_(order), medians_(kParts)
{
}

void ClickDetector::find(const double* x, size_t frameBegin, std::vector<size_t>& flagged)
{
    const size_t fitBegin = frameBegin - frame_ / 2;
    const size_t fitLength = 2 * frame_;
    // The error scale is taken per quarter frame: the errors run from a quarter frame before
    // the frame to a quarter after it.
    const size_t from = frameBegin - frame_ / 4;
    skip_.assign(fitLength, 0);
    for (int round = 0; round < 2; ++round)
    {
        if (!model_.fit(x + fitBegin, round ? skip_.data() : nullptr, fitLength, order_)) return;
        predictionErrors(x, from);
        const size_t before = flagged.size();
        flagOutliers(from, flagged);
        if (flagged.size() == before || round == 1) return;
        for (size_t k = before; k < flagged.size(); ++k)
        {
            const size_t at = flagged[k] - fitBegin;
            for (size_t m = at >= 4 ? at - 4 : 0; m < std::min(fitLength, at + 5); ++m)
                skip_[m] = 1;
        }
        flagged.resize(before);
    }
}

void ClickDetector::predictionErrors(const double* x, size_t from)
{
    const size_t quarter = frame_ / 4;
    forward_.resize(kParts * quarter);
    backward_.resize(forward_.size());
    model_.errors(x, from, forward_.size(), forward_.data(), backward_.data());
    for (size_t i = 0; i < forward_.size(); ++i)
    {
        forward_[i] = std::fabs(forward_[i]);
        backward_[i] = std::fabs(backward_[i]);
    }
    for (size_t part = 0; part < kParts; ++part)
    {
        sorted_.assign(forward_.begin() + part * quarter, forward_.begin() + (part + 1) * quarter);
        std::nth_element(sorted_.begin(), sorted_.begin() + quarter / 2, sorted_.end());
        medians_[part] = 1.4826 * sorted_[quarter / 2];
    }
    // A click starts where the forward error stands out and ends where the backward one
    // does; a sample is taken when both stand out within kReach of it on their sides
    // (so a flat-topped burst counts whole).
    both_.assign(forward_.size(), 0.0);
    for (size_t i = kReach; i + kReach < forward_.size(); ++i)
    {
        double start = 0.0, end = 0.0;
        for (size_t k = 0; k <= kReach; ++k)
        {
            start = std::max(start, forward_[i - k]);
            end = std::max(end, backward_[i + k]);
        }
        both_[i] = std::min(start, end);
    }
}

void ClickDetector::flagOutliers(size_t from, std::vector<size_t>& flagged) const
{
    // The scale of a quarter frame is the largest median of it and its two neighbours: a
    // sound starting within a quiet stretch is judged by its own level. A burst too quiet
    // to stand out sample by sample still stands out in its energy over a few samples.
    const size_t quarter = frame_ / 4;
    const size_t half = kEnergySpan / 2;
    for (size_t part = 1; part + 1 < kParts; ++part)
    {
        const double scale =
            std::max({kScaleFloor, medians_[part - 1], medians_[part], medians_[part + 1]});
        const double limit = threshold_ * scale;
        const double energyLimit = 0.25 * limit * limit * kEnergySpan;
        double energy = 0.0;
        for (size_t i = part * quarter - half; i < part * quarter + half; ++i)
            energy += both_[i] * both_[i];
        for (size_t i = part * quarter; i < (part + 1) * quarter; ++i)
        {
            energy += both_[i + half] * both_[i + half] - both_[i - half] * both_[i - half];
            if (both_[i] > limit || (energy > energyLimit && both_[i] > 0.5 * limit))
                flagged.push_back(from + i);
        }
    }
}

} // namespace companion
