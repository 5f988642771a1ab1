#pragma once

#include <complex>
#include <cstddef>
#include <vector>

namespace companion
{

// The hum found in a file: for each harmonic that carries it, a slow record (one point per
// `decimation` samples, at the centre of each block) of its complex amplitude and of the
// phase it has drifted by against its nominal frequency. Empty when there is no hum.
struct HumComponent
{
    double hz = 0.0; // nominal: the harmonic number times the mains frequency
    std::vector<std::complex<float>> amplitude;
    std::vector<double> phase; // radians
};

struct HumModel
{
    double mainsHz = 0.0;
    size_t decimation = 1;
    double firstCentre = 0.0; // sample index of the records' first point
    std::vector<HumComponent> components;

    // Mean power of all components: what Auto compares between the mains.
    double power() const
    {
        double sum = 0.0;
        for (const HumComponent& c : components)
            for (const auto& a : c.amplitude)
                sum += 2.0 * std::norm(a) / static_cast<double>(c.amplitude.size());
        return sum;
    }
};

} // namespace companion
