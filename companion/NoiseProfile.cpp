#include "NoiseProfile.h"

#include <algorithm>
#include <cmath>

namespace companion
{

namespace
{
constexpr int kClasses = 240;        // 1 dB each
constexpr double kLowestDb = -200.0; // energy of the first class
constexpr double kSilenceDb = -190.0;
} // namespace

NoiseProfile::NoiseProfile(size_t bins)
    : bins_(bins), classCounts_(kClasses, 0), classPower_(kClasses * bins, 0.0)
{
}

void NoiseProfile::addFrame(const float* power, double energy)
{
    const double db = 10.0 * std::log10(energy + 1e-30);
    if (db < kSilenceDb) return;
    const int cls = std::clamp(static_cast<int>(db - kLowestDb), 0, kClasses - 1);
    double* sum = &classPower_[cls * bins_];
    for (size_t i = 0; i < bins_; ++i)
        sum[i] += power[i];
    ++classCounts_[cls];
    ++frames_;
}

std::vector<double> NoiseProfile::estimate() const
{
    if (frames_ == 0) return {};
    const size_t wanted = std::max<size_t>(1, static_cast<size_t>(frames_ * kQuietShare));
    std::vector<double> profile(bins_, 0.0);
    size_t taken = 0;
    for (int cls = 0; cls < kClasses && taken < wanted; ++cls)
    {
        if (classCounts_[cls] == 0) continue;
        const double* sum = &classPower_[cls * bins_];
        for (size_t i = 0; i < bins_; ++i)
            profile[i] += sum[i];
        taken += classCounts_[cls];
    }
    for (double& value : profile)
        value /= static_cast<double>(taken);
    return profile;
}

} // namespace companion
