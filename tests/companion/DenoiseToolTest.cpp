#include "DenoiseTool.h"
#include "SignalTestSupport.h"

#include <gtest/gtest.h>

namespace companion
{
namespace
{

constexpr double kRate = 48000.0;
constexpr size_t kLeadIn = 2 * 48000; // noise alone, as before a take starts
constexpr size_t kCount = 6 * 48000;

std::vector<float> noisyTone()
{
    std::vector<float> x = test::noise(0.03, kCount);
    const auto tone = test::sine(1000.0, 0.3, kRate, kCount);
    for (size_t i = kLeadIn; i < kCount; ++i)
        x[i] += tone[i];
    return x;
}

TEST(DenoiseTool, ImprovesTheSignalToNoiseRatioOfANoisyTone)
{
    const FrequencyRange full{0.0, 24000.0, kRate};
    const auto x = noisyTone();
    const double before = test::snrDb(x, 1000.0, kRate, kLeadIn + 48000, kCount - 48000);
    double previous = before;
    for (int preset = 0; preset < 3; ++preset)
    {
        const auto y = test::runAligned(
            std::make_unique<DenoiseTool>(DenoiseTool::presetStrength(preset), full), x);
        ASSERT_EQ(y.size(), x.size());
        const double after = test::snrDb(y, 1000.0, kRate, kLeadIn + 48000, kCount - 48000);
        if (preset >= 1)
        {
            EXPECT_GT(after - before, 6.0) << preset;
        }
        EXPECT_GT(after, previous) << "stronger presets remove more, preset " << preset;
        previous = after;
        // The tone itself keeps its level.
        EXPECT_NEAR(
            test::db(test::toneAmplitude(y, 1000.0, kRate, kLeadIn + 48000, kCount - 48000) / 0.3),
            0.0, 0.5);
    }
}

TEST(DenoiseTool, WorksOnlyInsideTheRange)
{
    // Range above 4 kHz: the noise below it, and the tone, pass unchanged.
    const FrequencyRange high{4000.0, 24000.0, kRate};
    const auto x = noisyTone();
    const auto y =
        test::runAligned(std::make_unique<DenoiseTool>(DenoiseTool::presetStrength(2), high), x);
    ASSERT_EQ(y.size(), x.size());
    auto band = [](const std::vector<float>& s, double hz)
    { return test::toneAmplitude(s, hz, kRate, 10000, kLeadIn - 10000); };
    double lowIn = 0, lowOut = 0, highIn = 0, highOut = 0;
    for (double hz = 200.0; hz < 3000.0; hz += 97.0)
    {
        lowIn += band(x, hz);
        lowOut += band(y, hz);
    }
    for (double hz = 6000.0; hz < 20000.0; hz += 397.0)
    {
        highIn += band(x, hz);
        highOut += band(y, hz);
    }
    EXPECT_NEAR(test::db(lowOut / lowIn), 0.0, 0.5);
    EXPECT_LT(test::db(highOut / highIn), -10.0);
}

TEST(DenoiseTool, PassesTheSignalUnchangedWithoutANoiseProfile)
{
    // Shorter than one frame: nothing to learn from, nothing removed, still aligned.
    const auto x = test::sine(440.0, 0.5, kRate, 1500);
    const auto y =
        test::runAligned(std::make_unique<DenoiseTool>(DenoiseTool::presetStrength(2),
                                                       FrequencyRange{0.0, 24000.0, kRate}),
                         x);
    ASSERT_EQ(y.size(), x.size());
    for (size_t i = 0; i < x.size(); ++i)
        ASSERT_NEAR(y[i], x[i], 1e-5) << i;
}

} // namespace
} // namespace companion
