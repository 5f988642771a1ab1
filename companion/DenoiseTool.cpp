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
constexpr float kLowestRatio = 1e-3f;
// The band where speech, and so the noise's likeness to it, is judged.
constexpr double kSpeechLowHz = 100.0;
constexpr double kSpeechHighHz = 8000.0;
// Misfit of the noise (NoiseProfile) up to which gains apply in full, and over which they
// fade out completely.
constexpr double kStationaryMisfit = 0.1;
constexpr double kMisfitFade = 0.2;
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
    static const Strength kPresets[] = {{0.15, 0.95}, {0.05, 0.95}, {0.02, 0.96}};
    return kPresets[preset];
}

DenoiseTool::DenoiseTool(Strength strength, const FrequencyRange& range)
    : strength_(strength), sampleRate_(range.sampleRate),
      frameSize_(frameSizeFor(range.sampleRate)), hop_(frameSize_ / 4),
      analysisHop_(frameSize_ / 2), plan_(frameSize_), window_(frameSize_), power_(plan_.bins()),
      input_(frameSize_, 0.0f), overlap_(frameSize_, 0.0f), frames_(kLookahead + 1),
      kept_(plan_.bins(), 0.0f), backward_(plan_.bins(), 0.0f), profile_(plan_.bins()),
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
        profile_.addFrame(power_.data());
    }
}

void DenoiseTool::finishAnalysis()
{
    const double binHz = sampleRate_ / static_cast<double>(frameSize_);
    const size_t last = plan_.bins() - 1;
    const NoiseProfile::Estimate estimate =
        profile_.estimate(std::min(last, static_cast<size_t>(kSpeechLowHz / binHz)),
                          std::min(last, static_cast<size_t>(kSpeechHighHz / binHz)));
    inverseNoise_.clear();
    for (float noise : estimate.noise)
        inverseNoise_.push_back(1.0f / (noise + 1e-30f));
    exponent_ = 1.0 - std::clamp((estimate.misfit - kStationaryMisfit) / kMisfitFade, 0.0, 1.0);
    reset();
}

void DenoiseTool::reset()
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

void DenoiseTool::process(const float* in, float* out, size_t count)
{
    streamer_.process(in, out, count);
}

float DenoiseTool::wiener(float ratio) const
{
    return std::max(static_cast<float>(strength_.floor), ratio / (1.0f + ratio));
}

void DenoiseTool::processHop(const float* in, float* out)
{
    std::memmove(input_.data(), input_.data() + hop_, (frameSize_ - hop_) * sizeof(float));
    std::memcpy(input_.data() + frameSize_ - hop_, in, hop_ * sizeof(float));
    transformFrame(input_.data());

    newest_ = (newest_ + 1) % frames_.size();
    Frame& frame = frames_[newest_];
    std::copy(plan_.spectrum(), plan_.spectrum() + plan_.bins(), frame.spectrum.begin());
    std::copy(power_.begin(), power_.end(), frame.power.begin());
    Frame& oldest = frames_[(newest_ + 1) % frames_.size()];
    if (!inverseNoise_.empty() && exponent_ > 0.0) applyGain(oldest, newest_);
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

void DenoiseTool::applyGain(Frame& oldest, size_t newest)
{
    if (lastBin_ < firstBin_) return;
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
    Frame& latest = frames_[newest];
    step(latest, kept_, latest.forwardRatio);
    // Backwards from the newest frame to the oldest, starting from nothing kept.
    std::fill(backward_.begin(), backward_.end(), 0.0f);
    std::vector<float>& ratio = power_; // free once the newest frame is stored
    for (size_t back = 0; back < ring; ++back)
        step(frames_[(newest + ring - back) % ring], backward_, ratio);

    const float exponent = static_cast<float>(exponent_);
    for (size_t i = firstBin_; i <= lastBin_; ++i)
    {
        float gain = wiener(0.5f * (oldest.forwardRatio[i] + ratio[i]));
        if (exponent < 1.0f) gain = std::pow(gain, exponent);
        oldest.spectrum[i] *= gain;
    }
}

} // namespace companion
