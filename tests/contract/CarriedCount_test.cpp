#include "CarriedCount.h"

#include <gtest/gtest.h>

#include <cmath>

namespace
{

// Every count and preset number the editor writes as k / 100, and every frequency written as
// k / 192000, reads back as k from the single precision a parameter keeps.
TEST(CarriedCount, EveryWholeNumberReadsBackFromItsStoredValue)
{
    for (std::int32_t k = 0; k <= 100; ++k)
    {
        const float stored = static_cast<float>(k / kCountScale);
        EXPECT_EQ(CountFromValue(stored), k);
        EXPECT_EQ(CountFromValue(std::nextafter(stored, 0.0f)), k);
    }
    for (std::int32_t hertz = 0; hertz <= 96000; hertz += 7)
        EXPECT_EQ(CountFromValue(static_cast<float>(hertz / kFrequencyScale), kFrequencyScale),
                  hertz);
    // Just under a half stays with the lower number.
    EXPECT_EQ(CountFromValue(0.0250, kCountScale), 2);
    EXPECT_EQ(CountFromValue(0.0252, kCountScale), 3);
}

TEST(CarriedCount, ValuesOutsideTheRangeAreHeldWithinIt)
{
    EXPECT_EQ(CountFromValue(1e300), 2147483647);
    EXPECT_EQ(CountFromValue(-1e300), -2147483647 - 1);
    EXPECT_EQ(CountFromValue(std::nan("")), 0);
    EXPECT_EQ(CountFromValue(INFINITY), 2147483647);
    EXPECT_EQ(TruncateToInt32(-2.9), -2);
    EXPECT_EQ(TruncateToInt32(24000.7), 24000);
}

} // namespace
