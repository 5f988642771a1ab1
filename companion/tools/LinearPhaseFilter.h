#pragma once

#include "FftConvolver.h"
#include "Tool.h"

#include <vector>

namespace companion
{

// A Tool that filters with symmetric taps; its latency counts the filter's own group delay,
// so once aligned the output has no phase shift against the input.
class LinearPhaseFilter : public Tool
{
public:
    explicit LinearPhaseFilter(const std::vector<float>& taps);

    size_t latency() const override { return convolver_.latency() + groupDelay_; }
    void process(const float* in, float* out, size_t count) override
    {
        convolver_.process(in, out, count);
    }
    void reset() override { convolver_.reset(); }

private:
    FftConvolver convolver_;
    size_t groupDelay_;
};

} // namespace companion
