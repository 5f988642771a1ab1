#pragma once

#include <complex>
#include <cstddef>
#include <vector>

namespace companion
{

// What the analysis found for one mains: which harmonics carry hum. Empty when none do.
struct HumModel
{
    double mainsHz = 0.0;  // nominal
    double meanHz = 0.0;   // where the tracked fundamental sat on average
    size_t harmonics = 0;  // measured: 1 .. harmonics
    std::vector<bool> hum; // per harmonic k at index k - 1
    // Per harmonic: its steady power over what the analysis let through of the rest, so
    // the canceller can follow the drift on the harmonics where the hum stands clearest.
    std::vector<double> clarity;
    // Per harmonic, over the whole file: its complex amplitude against the fundamental's
    // phase and level (the hum's shape), how far that average may be off, and how far a
    // window's steady part may be off; the canceller weighs the two by these.
    std::vector<std::complex<double>> shape;
    std::vector<double> shapeError;
    std::vector<double> steadyError;
    // A file the canceller measures whole is measured in fine hops rather than coarse ones.
    bool fineHops = false;
    double power = 0.0;  // of the steady hum lines: what Auto compares between the mains
    double downDb = 0.0; // how far the steady lines stand above what their estimate lets through

    size_t count() const
    {
        size_t n = 0;
        for (bool h : hum)
            n += h ? 1 : 0;
        return n;
    }
    bool empty() const { return count() == 0; }
};

} // namespace companion
