#include "FftConvolver.h"

#include <algorithm>

namespace companion
{

namespace
{
// Small filters still get a block long enough to keep the per-block overhead low.
constexpr size_t kMinFftSize = 4096;
} // namespace

size_t FftConvolver::fftSizeFor(size_t tapCount)
{
    size_t size = kMinFftSize;
    while (size < 2 * tapCount)
        size *= 2;
    return size;
}

FftConvolver::FftConvolver(const std::vector<float>& taps)
    : tapCount_(std::max<size_t>(taps.size(), 1)), plan_(fftSizeFor(tapCount_)),
      blockSize_(plan_.size() - tapCount_ + 1), response_(plan_.bins()),
      history_(tapCount_ - 1, 0.0f),
      streamer_(blockSize_, [this](const float* in, float* out) { processBlock(in, out); })
{
    float* time = plan_.time();
    std::fill(time, time + plan_.size(), 0.0f);
    const float scale = 1.0f / static_cast<float>(plan_.size());
    for (size_t i = 0; i < taps.size(); ++i)
        time[i] = taps[i] * scale;
    plan_.forward();
    std::copy(plan_.spectrum(), plan_.spectrum() + plan_.bins(), response_.begin());
}

void FftConvolver::reset()
{
    std::fill(history_.begin(), history_.end(), 0.0f);
    streamer_.reset();
}

void FftConvolver::processBlock(const float* in, float* out)
{
    float* time = plan_.time();
    const size_t keep = tapCount_ - 1;
    std::copy_n(history_.begin(), keep, time);
    std::copy_n(in, blockSize_, time + keep);
    // The last inputs of this block are the history of the next.
    std::copy_n(time + plan_.size() - keep, keep, history_.begin());

    plan_.forward();
    std::complex<float>* spectrum = plan_.spectrum();
    // Written out: std::complex's operator* checks for infinities and does not vectorise.
    for (size_t i = 0; i < response_.size(); ++i)
    {
        const float a = spectrum[i].real(), b = spectrum[i].imag();
        const float c = response_[i].real(), d = response_[i].imag();
        spectrum[i] = {a * c - b * d, a * d + b * c};
    }
    plan_.inverse();
    // The first tapCount_ - 1 results wrap around; the rest are the block's output.
    std::copy_n(time + keep, blockSize_, out);
}

} // namespace companion
