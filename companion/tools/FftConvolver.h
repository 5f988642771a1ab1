#pragma once

#include "BlockStreamer.h"
#include "FftPlan.h"

#include <complex>
#include <vector>

namespace companion
{

// Streaming FIR filter by FFT overlap-save. The output is the plain causal convolution with
// the taps, delayed by a further block length (latency()).
class FftConvolver
{
public:
    explicit FftConvolver(const std::vector<float>& taps);

    size_t latency() const { return streamer_.latency(); }
    void process(const float* in, float* out, size_t count) { streamer_.process(in, out, count); }
    void reset();

    static size_t fftSizeFor(size_t tapCount);

private:
    void processBlock(const float* in, float* out);

    size_t tapCount_;
    FftPlan plan_;
    size_t blockSize_;
    std::vector<std::complex<float>> response_; // scaled by 1 / FFT size
    std::vector<float> history_;                // the last tapCount_ - 1 inputs
    BlockStreamer streamer_;
};

} // namespace companion
