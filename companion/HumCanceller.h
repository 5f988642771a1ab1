#pragma once

#include "HumModel.h"

#include <cstddef>

namespace companion
{

// Subtracts a HumModel from the stream it was measured on: each component rebuilt sample by
// sample from its amplitude and phase records, interpolated between their points.
class HumCanceller
{
public:
    HumCanceller(HumModel model, double sampleRate);

    bool empty() const { return model_.components.empty(); }
    void process(const float* in, float* out, size_t count);
    void reset() { position_ = 0; }

private:
    double humAt(const HumComponent& component, size_t n) const;

    HumModel model_;
    double sampleRate_;
    size_t position_ = 0;
};

} // namespace companion
