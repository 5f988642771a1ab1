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
        // Between the notches the response is flat.
        const double between[] = {c.mains * 1.5, 1234.0, 5025.0 + c.mains / 2, 15025.0};
        for (double hz : between)
            test::add(x, test::sine(hz, 0.1, kRate, kCount));
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
        for (double hz : between)
            EXPECT_NEAR(level(hz, 0.1), 0.0, 0.1) << c.mains << " Hz hum, tone " << hz;
        if (c.top < 1000.0)
        {
            // Harmonics above the range stay.
            EXPECT_NEAR(level(c.top + 2 * c.mains, 0.1), 0.0, 0.5);
        }
    }
}

} // namespace
} // namespace companion
