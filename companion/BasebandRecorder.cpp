#include "BasebandRecorder.h"

#include <cmath>

namespace companion
{

namespace
{
constexpr double kTwoPi = 6.283185307179586476925;

// e^(-j 2 pi f n / rate), with the phase reduced exactly so that long files keep it.
std::complex<double> carrierAt(double hz, double rate, size_t n)
{
    const double cycles = std::fmod(hz * static_cast<double>(n) / rate, 1.0);
    return std::polar(1.0, -kTwoPi * cycles);
}
} // namespace

BasebandRecorder::BasebandRecorder(const std::vector<double>& carriersHz, double sampleRate,
                                   size_t decimation)
    : carriersHz_(carriersHz), sampleRate_(sampleRate), decimation_(decimation),
      rotors_(carriersHz.size()), steps_(carriersHz.size()), rising_(carriersHz.size()),
      falling_(carriersHz.size()), pending_(carriersHz.size()), records_(carriersHz.size())
{
    for (size_t c = 0; c < carriersHz_.size(); ++c)
    {
        rotors_[c] = carrierAt(carriersHz_[c], sampleRate_, 0);
        steps_[c] = carrierAt(carriersHz_[c], sampleRate_, 1);
    }
}

double BasebandRecorder::gain(double hz) const
{
    const double x = 0.5 * kTwoPi * hz / sampleRate_;
    if (std::fabs(x) < 1e-12) return 1.0;
    const double box = std::sin(x * decimation_) / (decimation_ * std::sin(x));
    return box * box;
}

void BasebandRecorder::add(const float* in, size_t count)
{
    const size_t carriers = carriersHz_.size();
    const double block = static_cast<double>(decimation_);
    for (size_t i = 0; i < count; ++i)
    {
        const double up = (filled_ + 0.5) / block;
        for (size_t c = 0; c < carriers; ++c)
        {
            const std::complex<double> mixed = static_cast<double>(in[i]) * rotors_[c];
            rising_[c] += up * mixed;
            falling_[c] += (1.0 - up) * mixed;
            rotors_[c] *= steps_[c];
        }
        const double difference = static_cast<double>(in[i]) - previous_;
        busy_ += difference * difference;
        previous_ = in[i];
        ++position_;
        if (++filled_ < decimation_) continue;
        if (started_)
            activity_.push_back(static_cast<float>((pendingBusy_ + busy_) / (2.0 * block)));
        pendingBusy_ = busy_;
        busy_ = 0.0;
        // Each block restarts the rotors from the exact phase, so rounding never builds up.
        for (size_t c = 0; c < carriers; ++c)
        {
            if (started_)
                records_[c].push_back(std::complex<float>((pending_[c] + falling_[c]) / block));
            pending_[c] = rising_[c];
            rising_[c] = falling_[c] = 0.0;
            rotors_[c] = carrierAt(carriersHz_[c], sampleRate_, position_);
        }
        started_ = true;
        filled_ = 0;
    }
}

} // namespace companion
