#include "NormalizeTool.h"
#include "SignalTestSupport.h"

#include <gtest/gtest.h>

#include <ebur128.h>

namespace companion
{
namespace
{

constexpr double kRate = 48000.0;

double loudness(const std::vector<float>& x)
{
    ebur128_state* meter = ebur128_init(1, 48000, EBUR128_MODE_I);
    ebur128_add_frames_float(meter, x.data(), x.size());
    double lufs = 0.0;
    ebur128_loudness_global(meter, &lufs);
    ebur128_destroy(&meter);
    return lufs;
}

double peakDb(const std::vector<float>& x)
{
    float peak = 0.0f;
    for (float v : x)
        peak = std::max(peak, std::fabs(v));
    return test::db(peak);
}

TEST(NormalizeTool, ReachesTheLoudnessTargetsAsLibebur128MeasuresThem)
{
    // Speech-like level changes: a tone whose level steps every half second, plus noise.
    std::vector<float> x = test::noise(0.01, 10 * 48000);
    const auto tone = test::sine(440.0, 1.0, kRate, x.size());
    for (size_t i = 0; i < x.size(); ++i)
        x[i] += tone[i] * (((i / 24000) % 3) + 1) * 0.02f;
    for (int preset : {2, 3, 4})
    {
        const double target[] = {0, 0, -23.0, -16.0, -14.0};
        const auto y = test::runAligned(NormalizeTool::makePreset(preset, kRate), x);
        ASSERT_EQ(y.size(), x.size());
        EXPECT_NEAR(loudness(y), target[preset], 0.5) << preset;
        EXPECT_LE(peakDb(y), NormalizeTool::kPeakCeilingDb + 1e-4);
    }
}

TEST(NormalizeTool, PeakTargetsAndTheCeiling)
{
    const auto x = test::sine(1000.0, 0.3, kRate, 48000);
    EXPECT_NEAR(peakDb(test::runAligned(NormalizeTool::makePreset(0, kRate), x)), -1.0, 0.01);
    EXPECT_NEAR(peakDb(test::runAligned(NormalizeTool::makePreset(1, kRate), x)), -0.1, 0.01);

    // Quiet but spiky: -14 LUFS would push the clicks over full scale, so the gain stops
    // at the ceiling.
    std::vector<float> spiky = test::noise(0.003, 5 * 48000);
    for (size_t i = 0; i < spiky.size(); i += 4800)
        spiky[i] = 0.5f;
    const auto y = test::runAligned(NormalizeTool::makePreset(4, kRate), spiky);
    EXPECT_NEAR(peakDb(y), NormalizeTool::kPeakCeilingDb, 0.01);
    EXPECT_LT(loudness(y), -14.5);

    // Silence and a signal too short to measure stay as they are.
    const std::vector<float> silence(48000, 0.0f);
    EXPECT_EQ(test::runAligned(NormalizeTool::makePreset(0, kRate), silence), silence);
    const auto blip = test::sine(1000.0, 0.1, kRate, 1000);
    EXPECT_EQ(test::runAligned(NormalizeTool::makePreset(2, kRate), blip), blip);
}

} // namespace
} // namespace companion
