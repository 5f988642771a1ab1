#include "GainTool.h"
#include "SignalTestSupport.h"

#include <gtest/gtest.h>

namespace companion
{
namespace
{

constexpr double kRate = 48000.0;

TEST(GainTool, ScalesTheWholeSignalOverTheFullBand)
{
    const FrequencyRange full{0.0, 24000.0, kRate};
    const std::vector<float> x = test::noise(0.1, 10000);
    for (int preset = 0; preset < 5; ++preset)
    {
        auto tool = std::make_unique<GainTool>(GainTool::presetDb(preset), full);
        EXPECT_EQ(tool->latency(), 0u);
        const std::vector<float> y = test::runAligned(std::move(tool), x);
        ASSERT_EQ(y.size(), x.size());
        const double gain = std::pow(10.0, GainTool::presetDb(preset) / 20.0);
        for (size_t i = 0; i < x.size(); i += 97)
            EXPECT_NEAR(y[i], x[i] * gain, 1e-6);
    }
}

TEST(GainTool, ChangesOnlyTheBandInsideTheRange)
{
    const FrequencyRange band{500.0, 5000.0, kRate};
    const size_t count = 48000;
    std::vector<float> x = test::sine(2000.0, 0.3, kRate, count);
    test::add(x, test::sine(100.0, 0.3, kRate, count));
    test::add(x, test::sine(12000.0, 0.3, kRate, count));
    for (int preset = 0; preset < 5; ++preset)
    {
        const std::vector<float> y =
            test::runAligned(std::make_unique<GainTool>(GainTool::presetDb(preset), band), x);
        ASSERT_EQ(y.size(), x.size());
        auto level = [&](double hz)
        { return test::db(test::toneAmplitude(y, hz, kRate, 6000, 42000) / 0.3); };
        EXPECT_NEAR(level(2000.0), GainTool::presetDb(preset), 0.01) << preset;
        EXPECT_NEAR(level(100.0), 0.0, 0.01) << preset;
        EXPECT_NEAR(level(12000.0), 0.0, 0.01) << preset;
    }
}

} // namespace
} // namespace companion
