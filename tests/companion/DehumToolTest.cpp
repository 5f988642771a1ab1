#include "DehumTool.h"
#include "SignalTestSupport.h"

#include <gtest/gtest.h>

namespace companion
{
namespace
{

constexpr double kRate = 48000.0;
constexpr size_t kCount = 4 * 48000;

TEST(DehumTool, NotchesMainsAndItsHarmonicsInsideTheRangeOnly)
{
    struct Case
    {
        double mains;
        FrequencyRange range;
        double top; // highest harmonic that must go
    };
    // With 50 Hz the range stops below 1 kHz, itself a harmonic; with 60 Hz it is full band.
    const Case cases[] = {{50.0, {0.0, 600.0, kRate}, 600.0},
                          {60.0, {0.0, 24000.0, kRate}, 6000.0}};
    for (const Case& c : cases)
    {
        std::vector<float> x = test::sine(1000.0, 0.5, kRate, kCount);
        for (double hz = c.mains; hz <= c.top + 2 * c.mains; hz += c.mains)
            test::add(x, test::sine(hz, 0.1, kRate, kCount));
        const auto y = test::runAligned(std::make_unique<DehumTool>(c.mains, c.range), x);
        ASSERT_EQ(y.size(), x.size());
        auto level = [&](double hz, double amplitude) {
            return test::db(test::toneAmplitude(y, hz, kRate, kCount / 4, kCount * 3 / 4) /
                            amplitude);
        };
        for (double hz = c.mains; hz <= c.top; hz += c.mains)
            EXPECT_LT(level(hz, 0.1), -30.0) << c.mains << " Hz hum, harmonic " << hz;
        EXPECT_NEAR(level(1000.0, 0.5), 0.0, 0.5) << c.mains;
        if (c.top < 1000.0)
        {
            // Harmonics above the range stay.
            EXPECT_NEAR(level(c.top + 2 * c.mains, 0.1), 0.0, 0.5);
        }
    }
}

TEST(DehumTool, LeavesTheSignalBetweenTheNotchesAlone)
{
    const FrequencyRange full{0.0, 24000.0, kRate};
    std::vector<float> x(kCount, 0.0f);
    for (double hz : {75.0, 330.0, 1234.0, 5025.0, 15025.0})
        test::add(x, test::sine(hz, 0.1, kRate, kCount));
    const auto y = test::runAligned(std::make_unique<DehumTool>(50.0, full), x);
    for (double hz : {75.0, 330.0, 1234.0, 5025.0, 15025.0})
        EXPECT_NEAR(test::db(test::toneAmplitude(y, hz, kRate, kCount / 4, kCount * 3 / 4) / 0.1),
                    0.0, 0.1)
            << hz;
}

} // namespace
} // namespace companion
