#include "OfflineStatus.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

namespace
{

// Every code the processor can publish reads back as itself: from the double it computes,
// from the single precision a parameter keeps, and from values a step of a float away.
TEST(OfflineStatus, EveryCodeReadsBackFromItsCommValue)
{
    for (std::int32_t code = 0; code < 100; ++code)
    {
        const double comm = StatusToComm(code);
        const float stored = static_cast<float>(comm);
        EXPECT_EQ(StatusFromComm(comm), code);
        EXPECT_EQ(StatusFromComm(stored), code);
        EXPECT_EQ(StatusFromComm(std::nextafter(stored, 0.0f)), code);
        EXPECT_EQ(StatusFromComm(std::nextafter(stored, 1.0f)), code);
        EXPECT_EQ(StatusFromComm(comm - 0.0049), code);
        EXPECT_EQ(StatusFromComm(comm + 0.0049), code);
    }
}

TEST(OfflineStatus, ACommValueThatIsNoNumberCarriesNoStatus)
{
    EXPECT_EQ(StatusFromComm(std::numeric_limits<double>::quiet_NaN()), kStatusNone);
    EXPECT_EQ(StatusFromComm(std::numeric_limits<double>::infinity()), kStatusNone);
    EXPECT_EQ(StatusFromComm(-std::numeric_limits<double>::infinity()), kStatusNone);
}

} // namespace
