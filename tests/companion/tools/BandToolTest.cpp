#include "BandTool.h"
#include "FirDesign.h"
#include "SignalTestSupport.h"

#include <gtest/gtest.h>

namespace companion
{
namespace
{

constexpr double kRate = 48000.0;
constexpr size_t kCount = 96000;

double levelDb(const std::vector<float>& y, double hz)
{
    return test::db(test::toneAmplitude(y, hz, kRate, 20000, 80000) / 0.25);
}

TEST(BandTool, KeepsOrRemovesTheRangeWithSixtyDecibelsBetween)
{
    struct Case
    {
        FrequencyRange range;
        std::vector<double> inside;
        std::vector<double> outside;
    };
    // Probe tones stay two transition widths away from the edges.
    const Case cases[] = {
        {{1000.0, 4000.0, kRate}, {1200.0, 2500.0, 3900.0}, {300.0, 850.0, 4150.0, 15000.0}},
        {{0.0, 3000.0, kRate}, {20.0, 1000.0}, {3200.0, 9000.0}},
        {{8000.0, 24000.0, kRate}, {9000.0, 20000.0}, {440.0, 7800.0}},
    };
    for (const Case& c : cases)
    {
        std::vector<float> x(kCount, 0.0f);
        for (double hz : c.inside)
            test::add(x, test::sine(hz, 0.25, kRate, kCount));
        for (double hz : c.outside)
            test::add(x, test::sine(hz, 0.25, kRate, kCount));

        const auto kept =
            test::runAligned(std::make_unique<BandTool>(BandTool::Mode::Keep, c.range), x);
        const auto removed =
            test::runAligned(std::make_unique<BandTool>(BandTool::Mode::Remove, c.range), x);
        ASSERT_EQ(kept.size(), kCount);
        ASSERT_EQ(removed.size(), kCount);
        for (double hz : c.inside)
        {
            EXPECT_NEAR(levelDb(kept, hz), 0.0, 0.01) << hz;
            EXPECT_LT(levelDb(removed, hz), -60.0) << hz;
        }
        for (double hz : c.outside)
        {
            EXPECT_LT(levelDb(kept, hz), -60.0) << hz;
            EXPECT_NEAR(levelDb(removed, hz), 0.0, 0.01) << hz;
        }
    }
}

TEST(BandTool, IsLinearPhaseAndAligned)
{
    // An impulse comes out centred where it went in, with a symmetric response around it.
    std::vector<float> x(40000, 0.0f);
    x[20000] = 1.0f;
    const auto y = test::runAligned(
        std::make_unique<BandTool>(BandTool::Mode::Keep, FrequencyRange{300.0, 3000.0, kRate}), x);
    size_t peak = 0;
    for (size_t i = 0; i < y.size(); ++i)
        if (std::fabs(y[i]) > std::fabs(y[peak])) peak = i;
    EXPECT_EQ(peak, 20000u);
    for (size_t d = 1; d < 5000; d += 37)
        EXPECT_NEAR(y[20000 - d], y[20000 + d], 1e-6) << d;
}

} // namespace
} // namespace companion
