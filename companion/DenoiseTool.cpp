#include "DenoiseTool.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace companion
{

namespace
{
constexpr double kPi = 3.14159265358979323846;
constexpr double kFrameSeconds = 0.04; // about 2048 samples at 48 kHz
// Hann analysis times Hann synthesis at 75 % overlap adds up to 1.5.
constexpr float kOverlapGain = 1.5f;
// Weight of the previous frame in the signal-to-noise estimate.
constexpr float kSmoothing = 0.9f;
} // namespace

size_t DenoiseTool::frameSizeFor(double sampleRate)
{
    size_t size = 256;
    while (size < sampleRate * kFrameSeconds)
        size *= 2;
    return size;
}

DenoiseTool::Strength DenoiseTool::presetStrength(int preset)
{
    static const Strength kPresets[] = {{1.0, 0.3}, {1.5, 0.15}, {2.5, 0.06}};
    return kPresets[preset];
}

DenoiseTool::DenoiseTool(Strength strength, const FrequencyRange& range)
    : strength_(strength), frameSize_(frameSizeFor(range.sampleRate)), hop_(frameSize_ / 4),
      plan_(frameSize_), window_(frameSize_), power_(plan_.bins()), frame_(frameSize_, 0.0f),
      overlap_(frameSize_, 0.0f), cleanPower_(plan_.bins(), 0.0f), profile_(plan_.bins()),
      streamer_(hop_, [this](const float* in, float* out) { processHop(in, out); })
{
    for (size_t i = 0; i < frameSize_; ++i)
        window_[i] = static_cast<float>(0.5 - 0.5 * std::cos(2.0 * kPi * i / frameSize_));
    const double binHz = range.sampleRate / frameSize_;
    firstBin_ = static_cast<size_t>(std::ceil(std::max(0.0, range.low) / binHz));
    lastBin_ = std::min(plan_.bins() - 1, static_cast<size_t>(std::floor(range.high / binHz)));
}

void DenoiseTool::transformFrame(const float* frame)
{
    float* time = plan_.time();
    for (size_t i = 0; i < frameSize_; ++i)
        time[i] = frame[i] * window_[i];
    plan_.forward();
    const std::complex<float>* spectrum = plan_.spectrum();
    for (size_t i = 0; i < plan_.bins(); ++i)
        power_[i] = std::norm(spectrum[i]);
}

void DenoiseTool::analyze(const float* in, size_t count)
{
    // Only frames that lie wholly inside the signal are measured: a frame padded with the
    // silence before the start would pass for the quietest.
    while (count > 0)
    {
        const size_t offset = analysed_ % hop_;
        const size_t step = std::min(count, hop_ - offset);
        std::memmove(frame_.data(), frame_.data() + step, (frameSize_ - step) * sizeof(float));
        std::memcpy(frame_.data() + frameSize_ - step, in, step * sizeof(float));
        analysed_ += step;
        in += step;
        count -= step;
        if (analysed_ % hop_ != 0 || analysed_ < frameSize_) continue;
        transformFrame(frame_.data());
        double energy = 0.0;
        for (size_t i = firstBin_; i <= lastBin_ && lastBin_ >= firstBin_; ++i)
            energy += power_[i];
        profile_.addFrame(power_.data(), energy / (frameSize_ * frameSize_));
    }
}

void DenoiseTool::finishAnalysis()
{
    const std::vector<double> estimate = profile_.estimate();
    noise_.assign(estimate.begin(), estimate.end());
    reset();
}

void DenoiseTool::reset()
{
    std::fill(frame_.begin(), frame_.end(), 0.0f);
    std::fill(overlap_.begin(), overlap_.end(), 0.0f);
    std::fill(cleanPower_.begin(), cleanPower_.end(), 0.0f);
    streamer_.reset();
}

void DenoiseTool::process(const float* in, float* out, size_t count)
{
    streamer_.process(in, out, count);
}

void DenoiseTool::processHop(const float* in, float* out)
{
    std::memmove(frame_.data(), frame_.data() + hop_, (frameSize_ - hop_) * sizeof(float));
    std::memcpy(frame_.data() + frameSize_ - hop_, in, hop_ * sizeof(float));

    transformFrame(frame_.data());
    std::complex<float>* spectrum = plan_.spectrum();
    if (!noise_.empty())
    {
        const float over = static_cast<float>(strength_.overSubtraction);
        const float floor = static_cast<float>(strength_.floor);
        for (size_t i = firstBin_; i <= lastBin_ && lastBin_ >= firstBin_; ++i)
        {
            // Decision-directed estimate of the bin's signal-to-noise ratio: mostly what was
            // kept of the bin last frame, so that noise alone cannot make a bin flicker
            // open for a single frame (the "musical noise" of plain subtraction).
            const float noise = over * noise_[i] + 1e-30f;
            const float fresh = std::max(0.0f, power_[i] / noise - 1.0f);
            const float ratio = kSmoothing * cleanPower_[i] / noise + (1.0f - kSmoothing) * fresh;
            const float gain = std::max(floor, ratio / (1.0f + ratio));
            cleanPower_[i] = gain * gain * power_[i];
            spectrum[i] *= gain;
        }
    }
    plan_.inverse();

    const float* time = plan_.time();
    const float scale = 1.0f / (kOverlapGain * static_cast<float>(frameSize_));
    for (size_t i = 0; i < frameSize_; ++i)
        overlap_[i] += time[i] * window_[i] * scale;
    std::memcpy(out, overlap_.data(), hop_ * sizeof(float));
    std::memmove(overlap_.data(), overlap_.data() + hop_, (frameSize_ - hop_) * sizeof(float));
    std::fill(overlap_.end() - hop_, overlap_.end(), 0.0f);
}

} // namespace companion
