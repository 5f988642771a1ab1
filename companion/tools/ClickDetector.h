#pragma once

#include "ArModel.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace companion
{

// Finds the samples of one frame that a local autoregressive model predicts neither forwards
// nor backwards: both prediction errors far above the local robust error scale (`threshold`
// times its median-based estimate), or a few samples together well above it. The model is
// fitted over the frame and half a frame either side, and fitted again without what the
// first fit flagged, since a click pulls the model towards itself.
class ClickDetector
{
public:
    ClickDetector(double threshold, size_t frame, int order);

    // Appends the flagged indices of x in [frameBegin, frameBegin + frame) to flagged, in
    // order. x must hold a frame before frameBegin and a frame and a half after it.
    void find(const double* x, size_t frameBegin, std::vector<size_t>& flagged);

private:
    // The absolute prediction errors from `from` on, their median per quarter frame and
    // both_, the smaller of the forward and backward errors standing out around each sample.
    void predictionErrors(const double* x, size_t from);
    // The samples where both_ stands out against the local error scale, into flagged.
    void flagOutliers(size_t from, std::vector<size_t>& flagged) const;

    const double threshold_;
    const size_t frame_;
    const int order_;
    ArModel model_;
    std::vector<double> forward_;
    std::vector<double> backward_;
    std::vector<double> both_;
    std::vector<double> sorted_;
    std::vector<double> medians_; // the error scale of each quarter frame
    std::vector<uint8_t> skip_;
};

} // namespace companion
