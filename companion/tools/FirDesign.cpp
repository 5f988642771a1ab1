#include "FirDesign.h"

#include <algorithm>
#include <cmath>

namespace companion
{

namespace
{
constexpr double kPi = 3.14159265358979323846;
constexpr double kStopBandDb = 100.0;
size_t oddLength(double taps)
{
    size_t n = static_cast<size_t>(std::ceil(taps));
    return n | 1u;
}

double kaiser(double beta, size_t n, size_t length)
{
    const double centre = (length - 1) / 2.0;
    const double r = (static_cast<double>(n) - centre) / centre;
    return std::cyl_bessel_i(0.0, beta * std::sqrt(std::max(0.0, 1.0 - r * r))) /
           std::cyl_bessel_i(0.0, beta);
}
} // namespace

std::vector<float> FirDesign::bandPass(const FrequencyRange& range)
{
    const double fs = range.sampleRate;
    const double transition = 2.0 * kPi * kBandTransitionHz / fs;
    const size_t length = oddLength((kStopBandDb - 8.0) / (2.285 * transition) + 1.0);
    const double beta = 0.1102 * (kStopBandDb - 8.7);
    const double w1 = 2.0 * kPi * std::max(0.0, range.low) / fs;
    const double w2 = 2.0 * kPi * std::min(range.high, range.nyquist()) / fs;

    std::vector<float> taps(length);
    const long centre = static_cast<long>(length / 2);
    for (size_t i = 0; i < length; ++i)
    {
        const long n = static_cast<long>(i) - centre;
        const double ideal =
            n == 0 ? (w2 - w1) / kPi : (std::sin(w2 * n) - std::sin(w1 * n)) / (kPi * n);
        taps[i] = static_cast<float>(ideal * kaiser(beta, i, length));
    }
    return taps;
}

} // namespace companion
