#pragma once

#include <cstddef>
#include <vector>

namespace companion
{

// Estimates the noise power spectrum from the quietest frames of a signal, in bounded
// memory: frames are sorted by energy into 1 dB classes, each class keeping the sum of its
// frames' power spectra; the profile averages the lowest classes that hold kQuietShare of
// all frames. Digital silence says nothing about the noise and is not counted.
class NoiseProfile
{
public:
    explicit NoiseProfile(size_t bins);

    // `power` holds bins() values; `energy` is the frame's total power in the working band.
    void addFrame(const float* power, double energy);
    // The average power spectrum of the quietest frames; empty when no frame was counted.
    std::vector<double> estimate() const;

    size_t bins() const { return bins_; }
    size_t frames() const { return frames_; }

    static constexpr double kQuietShare = 0.1;

private:
    size_t bins_;
    size_t frames_ = 0;
    std::vector<size_t> classCounts_;
    std::vector<double> classPower_; // classes × bins
};

} // namespace companion
