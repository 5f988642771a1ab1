#pragma once

#include "HumModel.h"
#include "HumSmoother.h"
#include "HumTracker.h"

#include <cstddef>
#include <memory>
#include <vector>

namespace companion
{

// Subtracts the hum harmonics of a HumModel from a stream, following them afresh: the
// same tracker as the analysis measures each hop, the steady part of each hum harmonic is
// taken over kHalfWidth hops either side (hence the latency), and one period of the hum is
// rebuilt per hop and read at the tracked phase, crossfaded from hop centre to hop centre.
// The cost per sample does not grow with the harmonics, and the memory is a few hops.
class HumCanceller
{
public:
    static constexpr size_t kHalfWidth = 20;
    static constexpr int kRobustPasses = 3;
    // What the window's robust mean lets through, against the plain mean the analysis
    // measured: about a tenth where the passing material has gaps, as speech does.
    static constexpr double kRobustShare = 0.1;
    // Harmonics that may lean on the whole file's shape: higher up, a drift the analysis
    // did not pin down scrambles the shape it measured.
    static constexpr size_t kShaped = 10;
    static constexpr int kShapeFits = 2; // Gauss-Newton rounds of the shape's turn and gain
    // A file no longer than the smoothing window is measured whole, in coarse hops (a tenth
    // of a second, parting the lines from notes held near them) or, as the model says, in
    // fine ones of kFineHopPeriods mains periods (finding the moments speech leaves them).
    static constexpr double kFineHopPeriods = 2.0;

    // `total`: the input's length, so that the padding after it weighs nothing.
    HumCanceller(const HumModel& model, double sampleRate, size_t total);

    static size_t latencyFor(double sampleRate);
    static bool measuresWhole(size_t total, double sampleRate);
    size_t latency() const { return latency_; }
    // How far the robust means of the hum harmonics may be off, summed over them and
    // averaged over the hops so far.
    double spread() const { return centres_ > 0 ? spread_ / static_cast<double>(centres_) : 0.0; }
    void process(const float* in, float* out, size_t count);
    void reset();

private:
    struct Period
    {
        HumTracker::Hop hop;
        std::vector<float> table; // one period of the hum, kGrid + 1 points
    };

    void build(const HumSmoother::Centre& centre);
    void subtract();
    float& at(size_t index) { return ring_[index % ring_.size()]; }

    HumModel model_;
    double sampleRate_;
    size_t total_;
    size_t latency_;
    std::unique_ptr<HumTracker> tracker_;
    std::unique_ptr<HumSmoother> smoother_;
    std::unique_ptr<FftPlan> fft_;
    std::vector<float> ring_;
    size_t written_ = 0;
    size_t centres_ = 0; // periods built so far
    double spread_ = 0.0;
    Period periods_[2]; // the last two, by centre index modulo 2
};

} // namespace companion
