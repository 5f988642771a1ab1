#pragma once

#include "HumTracker.h"

#include <algorithm>
#include <complex>
#include <cstddef>
#include <deque>
#include <vector>

namespace companion
{

// The steady part of every harmonic: a Hann-weighted mean of its hop amplitudes over
// `halfWidth` hops either side, each turned back first by the drift left over between
// the hops (pooled over the steady low harmonics), so that a line that follows the hum
// adds up while a tone that does not follow it, or speech passing through, averages away.
// Hops outside the input weigh nothing, so the ends are measured on what there is.
class HumSmoother
{
public:
    struct Centre
    {
        HumTracker::Hop hop;                     // as measured
        std::vector<std::complex<float>> steady; // per harmonic
        double share = 1.0; // of white noise the plain mean kept at this centre
        // Per harmonic, in a file measured whole (flatten()): how far its mean may be off,
        // from how far the hops it leaned on stray.
        std::vector<double> spread;
    };

    // `robustPasses`: rounds of leaning away from hops that stray from the mean.
    explicit HumSmoother(size_t halfWidth, int robustPasses = 0);

    // Adds the next hop; returns true when the hop halfWidth back is complete (centre()).
    bool push(const HumTracker::Hop& hop);
    const Centre& centre() const { return centre_; }
    // The share of white noise a hop's worth of measurement keeps through the mean.
    double noiseShare() const;
    // The hum's harmonics (weights per harmonic k at k - 1): with them, and robust passes,
    // each hop's drift is corrected by what they all say against their means, and only
    // they are measured (the rest read zero); without them the drift is the turns' walk
    // alone and every harmonic is measured.
    void steerBy(const std::vector<double>& weights) { steer_ = weights; }
    // A file no longer than the window: every hop of it weighs alike in every window, so
    // each harmonic rests on all the hops where the passing material leaves it, not mostly
    // on those nearest the centre; each mean is then a straight line through the window,
    // read at the centre, so a level that moves across the clip is followed.
    void flatten()
    {
        std::fill(window_.begin(), window_.end(), 1.0);
        sloped_ = true;
    }
    size_t span() const { return window_.size(); }

private:
    double turnSince(const HumTracker::Hop& hop) const;
    void turnBack(size_t centre);
    void applyDrift();
    void refine(size_t centre, std::vector<std::complex<double>>& means);
    bool steered(size_t k) const
    {
        return steer_.empty() || (k < steer_.size() && steer_[k] > 0.0);
    }
    bool refinePath(size_t centre, const std::vector<std::complex<double>>& means);
    void observeDrift(size_t i, const std::vector<std::complex<double>>& means, double& observed,
                      double& information, double& scatter) const;
    bool fitPath(std::vector<double>& drift, const std::vector<double>& information,
                 size_t centre) const;
    std::complex<double> robustMean(size_t k, size_t harmonics, double& spread);
    double at(size_t i) const;
    std::complex<double> leanedMean(std::complex<double>& slope) const;
    double leanedSpread(std::complex<double> m, std::complex<double> slope) const;

    size_t half_;
    bool sloped_ = false;
    size_t centreIndex_ = 0; // of the window being measured, in hops_
    int robustPasses_;
    std::vector<double> window_;
    std::deque<HumTracker::Hop> hops_;
    std::deque<double> turns_; // drift left over from the hop before, in radians of the fundamental
    size_t pushed_ = 0;
    Centre centre_;
    std::vector<std::complex<double>> turned_; // the window's hops in the centre's frame
    std::vector<double> weight_;               // and their weights
    std::vector<double> drift_;                // per hop in the window, relative to the centre
    std::vector<double> lean_; // per hop and harmonic: how much the robust mean leaned on it
    std::vector<double> steer_;
    std::vector<double> misses_;
    std::vector<std::complex<double>> values_; // one harmonic's hops, for its robust mean
    std::vector<double> leaning_;              // and how much the mean leans on each
};

} // namespace companion
