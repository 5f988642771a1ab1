#include "HumCanceller.h"

#include <cmath>
#include <utility>

namespace companion
{

namespace
{
constexpr double kTwoPi = 6.283185307179586476925;
} // namespace

HumCanceller::HumCanceller(HumModel model, double sampleRate)
    : model_(std::move(model)), sampleRate_(sampleRate)
{
}

double HumCanceller::humAt(const HumComponent& component, size_t n) const
{
    const size_t points = component.amplitude.size();
    const double block = static_cast<double>(model_.decimation);
    // Position in points, 0 at the centre of the first block.
    const double t = (static_cast<double>(n) - model_.firstCentre) / block;
    size_t m = 0;
    if (t > 0.0) m = std::min(static_cast<size_t>(t), points - 2);
    const double frac = t - static_cast<double>(m);
    // The amplitude is held beyond the ends, the phase goes on at the edge's own rate.
    const double held = std::min(std::max(frac, 0.0), 1.0);
    const std::complex<float> a = component.amplitude[m] +
                                  static_cast<float>(held) *
                                      (component.amplitude[m + 1] - component.amplitude[m]);
    const double drift =
        component.phase[m] + frac * (component.phase[m + 1] - component.phase[m]);
    const double cycles =
        std::fmod(component.hz * static_cast<double>(n) / sampleRate_, 1.0);
    const double angle = kTwoPi * cycles + drift;
    return 2.0 * (a.real() * std::cos(angle) - a.imag() * std::sin(angle));
}

void HumCanceller::process(const float* in, float* out, size_t count)
{
    for (size_t i = 0; i < count; ++i)
    {
        double hum = 0.0;
        for (const HumComponent& component : model_.components)
            hum += humAt(component, position_ + i);
        out[i] = static_cast<float>(in[i] - hum);
    }
    position_ += count;
}

} // namespace companion
