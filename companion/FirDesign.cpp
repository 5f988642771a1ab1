#include "FirDesign.h"

#include <algorithm>
#include <cmath>

namespace companion
{

namespace
{
constexpr double kPi = 3.14159265358979323846;
constexpr double kStopBandDb = 100.0;
// The notch filter's impulse response decays as exp(-(pi w t)^2); at 0.4 s it is below
// 1e-6 of its peak for the notch width used.
constexpr double kHumHalfLengthSeconds = 0.4;

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

// Sum of cos(k x) for k = first..last, in closed form away from multiples of 2 pi.
double cosineSum(int first, int last, double x)
{
    const double half = std::sin(x / 2.0);
    if (std::fabs(half) > 1e-6)
        return (std::sin((last + 0.5) * x) - std::sin((first - 0.5) * x)) / (2.0 * half);
    double sum = 0.0;
    for (int k = first; k <= last; ++k)
        sum += std::cos(k * x);
    return sum;
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

std::vector<float> FirDesign::humNotches(const FrequencyRange& range, double fundamental)
{
    const double fs = range.sampleRate;
    const double width = kHumNotchWidthHz;
    const size_t length = oddLength(2.0 * kHumHalfLengthSeconds * fs + 1.0);
    std::vector<float> taps(length, 0.0f);
    const long centre = static_cast<long>(length / 2);
    taps[centre] = 1.0f;

    // Notches closer to 0 Hz or Nyquist than a few widths would overlap their own mirror.
    const double top = std::min(range.high, range.nyquist() - 3.0 * width);
    const int first = std::max(1, static_cast<int>(std::ceil(range.low / fundamental)));
    const int last = static_cast<int>(std::floor(top / fundamental));
    if (last < first || fundamental <= 3.0 * width) return taps;

    // Each notch is 1 - exp(-((f - k f0) / w)^2); its mirrored pair in time is
    // 2 w sqrt(pi) / fs * exp(-(pi w n / fs)^2) * cos(2 pi k f0 n / fs).
    const double scale = 2.0 * width * std::sqrt(kPi) / fs;
    const double step = 2.0 * kPi * fundamental / fs;
    for (long n = -centre; n <= centre; ++n)
    {
        const double envelope = std::exp(-std::pow(kPi * width * n / fs, 2.0));
        const double dip = scale * envelope * cosineSum(first, last, step * n);
        taps[n + centre] -= static_cast<float>(dip);
    }
    return taps;
}

} // namespace companion
