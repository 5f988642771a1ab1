#pragma once

#include <complex>
#include <cstddef>
#include <vector>

namespace companion
{

// Mixes the input down to baseband around each of a set of carrier frequencies and keeps,
// for each, one point every `decimation` samples: a slow complex record of what lies near
// that frequency, small enough to keep for a whole file. Each point is a triangle-weighted
// mean over two blocks, so tones a multiple of rate() away fall into double nulls and do
// not alias into it. A tone A cos(wn + p) at a carrier is recorded as (A / 2) e^(jp), p
// taken at the point's centre.
class BasebandRecorder
{
public:
    BasebandRecorder(const std::vector<double>& carriersHz, double sampleRate, size_t decimation);

    void add(const float* in, size_t count);

    size_t decimation() const { return decimation_; }
    double rate() const { return sampleRate_ / static_cast<double>(decimation_); }
    // Sample index of point 0's centre; point m's is m * decimation() later.
    double firstCentre() const { return static_cast<double>(decimation_) - 0.5; }
    // Gain of the mean for a tone `hz` off the carrier.
    double gain(double hz) const;
    size_t carriers() const { return carriersHz_.size(); }
    double carrierHz(size_t index) const { return carriersHz_[index]; }
    // Only whole blocks: a last partial block is left out.
    const std::vector<std::complex<float>>& record(size_t index) const { return records_[index]; }
    // For each point, the mean square of the input's first difference over its two blocks:
    // how busy the signal is above the hum there, so that estimates can lean on the quiet
    // moments between words.
    const std::vector<float>& activity() const { return activity_; }

private:
    std::vector<double> carriersHz_;
    double sampleRate_;
    size_t decimation_;
    size_t position_ = 0; // samples seen
    size_t filled_ = 0;   // samples in the current block
    std::vector<std::complex<double>> rotors_;
    std::vector<std::complex<double>> steps_;
    std::vector<std::complex<double>> rising_;  // the current block, weights going up
    std::vector<std::complex<double>> falling_; // the current block, weights going down
    std::vector<std::complex<double>> pending_; // the previous block's rising half
    bool started_ = false;
    float previous_ = 0.0f;    // the last input
    double busy_ = 0.0;        // squared differences of the current block
    double pendingBusy_ = 0.0; // and of the previous one
    std::vector<float> activity_;
    std::vector<std::vector<std::complex<float>>> records_;
};

} // namespace companion
