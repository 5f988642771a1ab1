#include "DeclickTool.h"

#include <algorithm>
#include <cmath>

namespace companion
{

namespace
{
// About 20 ms: short enough that speech is steady within it.
size_t frameFor(double sampleRate)
{
    return ArModel::frameLength(sampleRate, 0.025);
}
constexpr size_t kFramesPerBlock = 16;
// An error scale below this is digital silence, where any sample would stand out.
constexpr double kScaleFloor = 2e-5;
// Samples over which a burst's error energy is summed.
constexpr size_t kEnergySpan = 8;
constexpr size_t kReach = 1;
// Quarter frames whose errors are looked at: the frame's four and one either side.
constexpr size_t kParts = 6;
} // namespace

DeclickTool::DeclickTool(double threshold, double sampleRate)
    : threshold_(threshold), frame_(frameFor(sampleRate)),
      order_(static_cast<int>(std::min<size_t>(32, frame_ / 8))), maxSpan_(frame_ / 4),
      window_(kFramesPerBlock * frame_, 2 * frame_),
      streamer_(kFramesPerBlock * frame_, [this](const float* in, float* out) { repairBlock(in, out); }),
      medians_(kParts)
{
}

double DeclickTool::presetThreshold(int preset)
{
    static const double kThresholds[] = {15.0, 10.0, 7.5};
    return kThresholds[preset];
}

void DeclickTool::process(const float* in, float* out, size_t count)
{
    streamer_.process(in, out, count);
}

void DeclickTool::reset()
{
    streamer_.reset();
    window_.reset();
    clicks_ = 0;
    samples_ = 0;
}

std::string DeclickTool::finding() const
{
    if (clicks_ == 0) return "no clicks found, left as it was";
    return std::to_string(clicks_) + (clicks_ == 1 ? " click" : " clicks") + " removed (" +
           std::to_string(samples_) + " samples rebuilt)";
}

void DeclickTool::repairBlock(const float* in, float* out)
{
    window_.push(in);
    const float* x = window_.samples();
    work_.assign(x, x + window_.size());
    std::vector<size_t> flagged;
    for (size_t begin = window_.coreBegin(); begin < window_.coreEnd(); begin += frame_)
        findCandidates(begin, flagged);
    // Flagged samples close together are one click; a few samples either side are taken
    // in, where the burst's edges hide under the threshold.
    const uint8_t* marks = window_.marks();
    const size_t gap = std::max<size_t>(4, frame_ / 64);
    for (size_t i = 0; i < flagged.size();)
    {
        size_t j = i;
        while (j + 1 < flagged.size() && flagged[j + 1] - flagged[j] <= gap)
            ++j;
        const size_t first = flagged[i];
        const size_t last = flagged[j];
        i = j + 1;
        const size_t width = last - first + 1;
        if (width > maxSpan_) continue;
        const size_t pad = 2 + width / 4;
        const size_t begin = std::max(window_.coreBegin(), first - std::min(first, pad));
        const size_t end = last + pad + 1;
        bool done = false;
        for (size_t k = begin; k < end; ++k)
            done = done || marks[k];
        if (done || looksLikeOnset(begin, end)) continue;
        fill(begin, end);
    }
    std::copy(window_.core(), window_.core() + (window_.coreEnd() - window_.coreBegin()), out);
}

void DeclickTool::findCandidates(size_t frameBegin, std::vector<size_t>& flagged)
{
    const size_t fitBegin = frameBegin - frame_ / 2;
    const size_t fitLength = 2 * frame_;
    // The error scale is taken per quarter frame: the errors run from a quarter frame before
    // the frame to a quarter after it.
    const size_t from = frameBegin - frame_ / 4;
    skip_.assign(fitLength, 0);
    for (int round = 0; round < 2; ++round)
    {
        if (!model_.fit(work_.data() + fitBegin, round ? skip_.data() : nullptr, fitLength, order_))
            return;
        predictionErrors(from);
        const size_t before = flagged.size();
        flagOutliers(from, flagged);
        if (flagged.size() == before || round == 1) return;
        // A click pulls the model towards itself: fit again without it.
        for (size_t k = before; k < flagged.size(); ++k)
        {
            const size_t at = flagged[k] - fitBegin;
            for (size_t m = at >= 4 ? at - 4 : 0; m < std::min(fitLength, at + 5); ++m)
                skip_[m] = 1;
        }
        flagged.resize(before);
    }
}

void DeclickTool::predictionErrors(size_t from)
{
    const size_t quarter = frame_ / 4;
    errors_.resize(kParts * quarter);
    backward_.resize(errors_.size());
    model_.errors(work_.data(), from, errors_.size(), errors_.data(), backward_.data());
    for (size_t i = 0; i < errors_.size(); ++i)
    {
        errors_[i] = std::fabs(errors_[i]);
        backward_[i] = std::fabs(backward_[i]);
    }
    for (size_t part = 0; part < kParts; ++part)
    {
        sorted_.assign(errors_.begin() + part * quarter, errors_.begin() + (part + 1) * quarter);
        std::nth_element(sorted_.begin(), sorted_.begin() + quarter / 2, sorted_.end());
        medians_[part] = 1.4826 * sorted_[quarter / 2];
    }
    // A click starts where the forward error stands out and ends where the backward one
    // does; a sample is taken when both stand out within kReach of it on their sides
    // (so a flat-topped burst counts whole).
    both_.assign(errors_.size(), 0.0);
    for (size_t i = kReach; i + kReach < errors_.size(); ++i)
    {
        double start = 0.0, end = 0.0;
        for (size_t k = 0; k <= kReach; ++k)
        {
            start = std::max(start, errors_[i - k]);
            end = std::max(end, backward_[i + k]);
        }
        both_[i] = std::min(start, end);
    }
}

void DeclickTool::flagOutliers(size_t from, std::vector<size_t>& flagged) const
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

bool DeclickTool::looksLikeOnset(size_t begin, size_t end) const
{
    // The level on either side over a quarter frame (longer than a pitch period's swing), a
    // click's width away from it so its own edges do not count. Where they differ widely,
    // the burst is a sound starting or ending unless it stands far above the louder side.
    const size_t span = frame_ / 4;
    const size_t away = end - begin;
    const double floor = kScaleFloor * kScaleFloor * 100.0;
    double before = 0.0, after = 0.0, burst = 0.0;
    for (size_t i = begin - away - span; i < begin - away; ++i)
        before += work_[i] * work_[i];
    for (size_t i = end + away; i < end + away + span; ++i)
        after += work_[i] * work_[i];
    for (size_t i = begin; i < end; ++i)
        burst += work_[i] * work_[i];
    before = before / span + floor;
    after = after / span + floor;
    burst /= static_cast<double>(away);
    const double louder = std::max(before, after);
    return louder > 30.0 * std::min(before, after) && burst < 4.0 * louder;
}

void DeclickTool::fill(size_t begin, size_t end)
{
    const size_t centre = (begin + end) / 2;
    const size_t fitBegin = centre - frame_;
    const size_t fitLength = 2 * frame_;
    skip_.assign(fitLength, 0);
    for (size_t k = begin; k < end; ++k)
        skip_[k - fitBegin] = 1;
    if (!model_.fit(work_.data() + fitBegin, skip_.data(), fitLength, order_)) return;
    std::vector<size_t> unknown;
    for (size_t k = begin; k < end; ++k)
        unknown.push_back(k);
    model_.interpolate(work_.data(), work_.size(), unknown);
    // The hole biases the first model; fitted again over the filled signal it is close to
    // the one the clean signal would give (Janssen's iteration), and one round gets most.
    if (model_.fit(work_.data() + fitBegin, nullptr, fitLength, order_))
        model_.interpolate(work_.data(), work_.size(), unknown);
    float* x = window_.samples();
    uint8_t* marks = window_.marks();
    for (size_t k : unknown)
    {
        x[k] = static_cast<float>(work_[k]);
        marks[k] = 1;
    }
    ++clicks_;
    samples_ += static_cast<long>(unknown.size());
}

} // namespace companion
