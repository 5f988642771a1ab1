#include "NoiseProfile.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

namespace companion
{
namespace
{

constexpr size_t kBins = 4;
constexpr int kFrames = 3000;

// Each frame's bins: noise of mean power `noise` (exponentially distributed, as a bin of
// Gaussian noise is), with `speechShare` of the frames carrying speech 10 to 30 dB over it.
// Swinging noise changes its level from frame to frame by up to 15 dB either way, as the
// voices of a babble do.
NoiseProfile::Estimate learn(double noise, double speechShare, bool swinging = false)
{
    std::mt19937 generator(3);
    std::exponential_distribution<float> exponential(1.0f);
    std::uniform_real_distribution<float> uniform(0.0f, 1.0f);
    NoiseProfile profile(kBins);
    float power[kBins];
    for (int f = 0; f < kFrames; ++f)
    {
        const bool speech = uniform(generator) < speechShare;
        const float level =
            swinging ? std::pow(10.0f, 1.5f * (2.0f * uniform(generator) - 1.0f)) : 1.0f;
        for (float& p : power)
        {
            p = static_cast<float>(noise) * level * exponential(generator);
            if (speech)
                p += static_cast<float>(noise) * std::pow(10.0f, 1.0f + 2.0f * uniform(generator));
        }
        profile.addFrame(power);
    }
    return profile.estimate(0, kBins);
}

TEST(NoiseProfile, FindsSteadyNoiseUnderSpeechInUpToHalfTheFrames)
{
    // Frames of noise alone that happen to run high count a little as speech, so the
    // estimate sits about 1 dB low, however much speech there is.
    for (double share : {0.0, 0.3, 0.5})
    {
        const NoiseProfile::Estimate estimate = learn(2e-3, share);
        ASSERT_EQ(estimate.noise.size(), kBins);
        for (float value : estimate.noise)
            EXPECT_NEAR(10.0 * std::log10(value / 2e-3), -1.0, 0.6) << share;
        EXPECT_LT(std::fabs(estimate.misfit), 0.08) << share;
        EXPECT_GT(estimate.noiseFrames, 0.1 * kFrames * kBins) << share;
    }
}

TEST(NoiseProfile, SaysWhenTheNoiseIsNotSteady)
{
    const NoiseProfile::Estimate swinging = learn(2e-3, 0.3, true);
    EXPECT_GT(swinging.misfit, 0.15);
    // A part of the band tells its own figure; the whole band's is the one above.
    double weight = 0.0;
    EXPECT_NEAR(NoiseProfile::misfitOver(swinging, 0, kBins, &weight), swinging.misfit, 1e-9);
    EXPECT_NEAR(weight, swinging.noiseFrames, 1e-6 * weight);
    EXPECT_GT(NoiseProfile::misfitOver(swinging, 1, 2), 0.15);
    EXPECT_LT(std::fabs(NoiseProfile::misfitOver(learn(2e-3, 0.3), 1, 2)), 0.08);
}

TEST(NoiseProfile, CountsNoSilenceAndLearnsNothingFromIt)
{
    NoiseProfile profile(kBins);
    const float silence[kBins] = {};
    for (int f = 0; f < 10; ++f)
        profile.addFrame(silence);
    EXPECT_EQ(profile.frames(), 0u);
    EXPECT_TRUE(profile.estimate(0, kBins).noise.empty());
}

} // namespace
} // namespace companion
