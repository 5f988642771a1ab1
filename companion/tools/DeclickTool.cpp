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
} // namespace

DeclickTool::DeclickTool(double threshold, double sampleRate)
    : frame_(frameFor(sampleRate)), order_(static_cast<int>(std::min<size_t>(32, frame_ / 8))),
      maxSpan_(frame_ / 4), detector_(threshold, frame_, order_),
      window_(kFramesPerBlock * frame_, 2 * frame_),
      streamer_(kFramesPerBlock * frame_,
                [this](const float* in, float* out) { repairBlock(in, out); })
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
        detector_.find(work_.data(), begin, flagged);
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
