#include "DenoiseStage.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace companion
{

namespace
{
constexpr double kPi = 3.14159265358979323846;
// Hann analysis times Hann synthesis at 75 % overlap adds up to 1.5.
constexpr float kOverlapGain = 1.5f;
constexpr float kLowestRatio = 1e-3f;

size_t bandBins(size_t firstBin, size_t lastBin)
{
    return lastBin >= firstBin ? lastBin - firstBin + 1 : 0;
}
} // namespace

DenoiseStage::DenoiseStage(Strength strength, size_t frameSize, size_t firstBin, size_t lastBin)
    : strength_(strength), frameSize_(frameSize), hop_(frameSize / 4), analysisHop_(frameSize / 2),
      firstBin_(firstBin), lastBin_(lastBin), plan_(frameSize), window_(frameSize),
      power_(plan_.bins()), input_(frameSize, 0.0f), overlap_(frameSize, 0.0f),
      frames_(kLookahead + 1), kept_(plan_.bins(), 0.0f), backward_(plan_.bins(), 0.0f),
      backwardRatio_(plan_.bins(), 0.0f), profile_(bandBins(firstBin, lastBin)),
      streamer_(hop_, [this](const float* in, float* out) { processHop(in, out); })
{
    for (size_t i = 0; i < frameSize_; ++i)
        window_[i] = static_cast<float>(0.5 - 0.5 * std::cos(2.0 * kPi * i / frameSize_));
    for (Frame& frame : frames_)
    {
        frame.spectrum.resize(plan_.bins());
        frame.power.resize(plan_.bins());
        frame.forwardRatio.resize(plan_.bins());
    }
}

void DenoiseStage::transformFrame(const float* frame)
{
    float* time = plan_.time();
    for (size_t i = 0; i < frameSize_; ++i)
        time[i] = frame[i] * window_[i];
    plan_.forward();
    const std::complex<float>* spectrum = plan_.spectrum();
    for (size_t i = 0; i < plan_.bins(); ++i)
        power_[i] = std::norm(spectrum[i]);
}

void DenoiseStage::analyze(const float* in, size_t count)
{
    if (profile_.bins() == 0) return;
    // Only frames that lie wholly inside the signal are measured: a frame padded with the
    // silence before the start would pass for the quietest. Half-overlapped frames see
    // every sample and are all the noise statistics need.
    while (count > 0)
    {
        const size_t offset = analysed_ % analysisHop_;
        const size_t step = std::min(count, analysisHop_ - offset);
        std::memmove(input_.data(), input_.data() + step, (frameSize_ - step) * sizeof(float));
        std::memcpy(input_.data() + frameSize_ - step, in, step * sizeof(float));
        analysed_ += step;
        in += step;
        count -= step;
        if (analysed_ % analysisHop_ != 0 || analysed_ < frameSize_) continue;
        transformFrame(input_.data());
        profile_.addFrame(power_.data() + firstBin_);
    }
}

NoiseProfile::Estimate DenoiseStage::learn(size_t firstFitBin, size_t endFitBin)
{
    // The fit band in the stage's own bins; empty where the two do not meet.
    const size_t from = std::max(firstFitBin, firstBin_);
    const size_t end = std::min(endFitBin, lastBin_ + 1);
    const NoiseProfile::Estimate estimate =
        end > from ? profile_.estimate(from - firstBin_, end - firstBin_) : profile_.estimate(0, 0);
    inverseNoise_.clear();
    if (!estimate.noise.empty())
    {
        inverseNoise_.assign(plan_.bins(), 0.0f);
        for (size_t i = 0; i < estimate.noise.size(); ++i)
            inverseNoise_[firstBin_ + i] = 1.0f / (estimate.noise[i] + 1e-30f);
    }
    reset();
    return estimate;
}

void DenoiseStage::reset()
{
    std::fill(input_.begin(), input_.end(), 0.0f);
    std::fill(overlap_.begin(), overlap_.end(), 0.0f);
    std::fill(kept_.begin(), kept_.end(), 0.0f);
    for (Frame& frame : frames_)
    {
        std::fill(frame.spectrum.begin(), frame.spectrum.end(), std::complex<float>());
        std::fill(frame.power.begin(), frame.power.end(), 0.0f);
        std::fill(frame.forwardRatio.begin(), frame.forwardRatio.end(), 0.0f);
    }
    newest_ = 0;
    streamer_.reset();
}

void DenoiseStage::process(const float* in, float* out, size_t count)
{
    streamer_.process(in, out, count);
}

float DenoiseStage::wiener(float ratio) const
{
    return std::max(static_cast<float>(strength_.floor), ratio / (1.0f + ratio));
}

void DenoiseStage::processHop(const float* in, float* out)
{
    std::memmove(input_.data(), input_.data() + hop_, (frameSize_ - hop_) * sizeof(float));
    std::memcpy(input_.data() + frameSize_ - hop_, in, hop_ * sizeof(float));
    transformFrame(input_.data());

    newest_ = (newest_ + 1) % frames_.size();
    Frame& frame = frames_[newest_];
    std::copy(plan_.spectrum(), plan_.spectrum() + plan_.bins(), frame.spectrum.begin());
    std::copy(power_.begin(), power_.end(), frame.power.begin());
    Frame& oldest = frames_[(newest_ + 1) % frames_.size()];
    if (active()) applyGain(oldest);
    std::copy(oldest.spectrum.begin(), oldest.spectrum.end(), plan_.spectrum());
    plan_.inverse();

    const float* time = plan_.time();
    const float scale = 1.0f / (kOverlapGain * static_cast<float>(frameSize_));
    for (size_t i = 0; i < frameSize_; ++i)
        overlap_[i] += time[i] * window_[i] * scale;
    std::memcpy(out, overlap_.data(), hop_ * sizeof(float));
    std::memmove(overlap_.data(), overlap_.data() + hop_, (frameSize_ - hop_) * sizeof(float));
    std::fill(overlap_.end() - hop_, overlap_.end(), 0.0f);
}

void DenoiseStage::applyGain(Frame& oldest)
{
    const float smoothing = static_cast<float>(strength_.smoothing);
    const size_t ring = frames_.size();
    // Decision-directed estimate of each bin's signal-to-noise ratio: mostly what was kept
    // of the bin in the neighbouring frame, so that noise alone cannot make a bin flicker
    // open for a single frame (the "musical noise" of plain subtraction).
    auto step = [&](const Frame& frame, std::vector<float>& kept, std::vector<float>& ratio)
    {
        for (size_t i = firstBin_; i <= lastBin_; ++i)
        {
            const float fresh = std::max(0.0f, frame.power[i] * inverseNoise_[i] - 1.0f);
            ratio[i] = std::max(kLowestRatio, smoothing * kept[i] * inverseNoise_[i] +
                                                  (1.0f - smoothing) * fresh);
            const float gain = wiener(ratio[i]);
            kept[i] = gain * gain * frame.power[i];
        }
    };
    Frame& latest = frames_[newest_];
    step(latest, kept_, latest.forwardRatio);
    // Backwards from the newest frame to the oldest, starting from nothing kept.
    std::fill(backward_.begin(), backward_.end(), 0.0f);
    for (size_t back = 0; back < ring; ++back)
        step(frames_[(newest_ + ring - back) % ring], backward_, backwardRatio_);

    const float exponent = static_cast<float>(exponent_);
    for (size_t i = firstBin_; i <= lastBin_; ++i)
    {
        float gain = wiener(0.5f * (oldest.forwardRatio[i] + backwardRatio_[i]));
        if (exponent < 1.0f) gain = std::pow(gain, exponent);
        oldest.spectrum[i] *= gain;
    }
}

} // namespace companion
