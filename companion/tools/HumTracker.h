#pragma once

#include "FftPlan.h"

#include <complex>
#include <cstddef>
#include <vector>

namespace companion
{

// Follows the mains through a stream, hop by hop (a tenth of a second). Every sample is
// laid on a one-period grid by the phase of a reference that runs at the tracked mains
// frequency; one FFT of that grid per hop gives the complex amplitude of every harmonic
// at once, at a cost per sample that does not grow with the harmonics. The reference is
// steered by how the harmonics that stand as steady lines turn from hop to hop.
class HumTracker
{
public:
    struct Hop
    {
        // Each measurement is centred on the start of a hop: the fundamental's phase there,
        // in cycles, and the reference's frequency through that hop.
        double startPhase = 0.0;
        double hz = 0.0;
        double weight = 0.0;  // share of the hop that was real input
        double seconds = 0.0; // the hop's length
        // Per harmonic k (index k - 1): x ~ Re(amplitude e^(j 2 pi k phase)).
        std::vector<std::complex<float>> amplitude;
        // How much each of the low harmonics may count in telling the drift.
        std::vector<float> steadiness;
    };

    static constexpr size_t kGrid = 4096; // points per period
    // Harmonics that steer the reference: those that are hum whenever they stand steady,
    // so that notes higher up the grid cannot pull it. Once the hum's harmonics are known
    // (trust()), all of them steer, each by how clearly it stood: a buzz's many harmonics
    // pin its phase far closer than its first three could.
    static constexpr size_t kSteered = 3;

    static constexpr double kHopSeconds = 0.1;
    HumTracker(double mainsHz, size_t harmonics, double sampleRate,
               double hopSeconds = kHopSeconds);

    size_t hopSize() const { return hop_; }
    double sampleRate() const { return sampleRate_; }
    size_t harmonics() const { return harmonics_; }
    // Takes samples up to the end of the current hop; returns how many it took. `real`
    // counts the samples that are input rather than padding after its end.
    size_t feed(const float* in, size_t count, size_t real);
    bool hopReady() const { return ready_; }
    // The hop just completed; valid until the next feed().
    const Hop& hop() const { return last_; }
    // Fixed weights for the harmonics that steer, in place of their measured steadiness.
    void trust(const std::vector<double>& weights) { trust_ = weights; }
    // The sinc-squared response of the grid's linear interpolation at harmonic k.
    static double gridGain(size_t k);

private:
    void finishHop();
    void steer();

    double mainsHz_;
    size_t harmonics_;
    double sampleRate_;
    size_t hop_;
    FftPlan fft_;
    std::vector<float> rising_;  // this hop, weights rising across it
    std::vector<float> falling_; // this hop, weights falling across it
    std::vector<float> pending_; // the previous hop's rising half
    size_t filled_ = 0;
    double realRising_ = 0.0; // the weights that fell on input rather than padding
    double realFalling_ = 0.0;
    double pendingReal_ = 0.0;
    double phase_ = 0.0;
    double hz_;
    bool ready_ = false;
    Hop current_;
    Hop last_;
    std::vector<std::complex<double>> previous_;
    std::vector<std::complex<double>> turns_; // leaky sums of hop-to-hop turns
    std::vector<double> magnitudes_;          // and of their magnitudes
    std::vector<double> trust_;
};

} // namespace companion
