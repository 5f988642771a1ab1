#include "AAX_CLinearTaperDelegate.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>

namespace
{

TEST(AAX_CLinearTaperDelegate, MapsBothWaysAndClampsToItsBounds)
{
    const AAX_CLinearTaperDelegate<float, 0> taper(20.0f, 20000.0f);
    EXPECT_FLOAT_EQ(taper.NormalizedToReal(0.5), 10010.0f);
    EXPECT_FLOAT_EQ(taper.NormalizedToReal(1.5), 20000.0f);
    EXPECT_FLOAT_EQ(taper.NormalizedToReal(-0.2), 20.0f);
    EXPECT_DOUBLE_EQ(taper.RealToNormalized(5.0f), 0.0);
    EXPECT_DOUBLE_EQ(taper.RealToNormalized(20000.0f), 1.0);
    EXPECT_DOUBLE_EQ(taper.RealToNormalized(30000.0f), 1.0);
    EXPECT_FLOAT_EQ(taper.ConstrainRealValue(25000.0f), 20000.0f);
    EXPECT_FLOAT_EQ(taper.ConstrainRealValue(-1.0f), 20.0f);
    EXPECT_FLOAT_EQ(taper.ConstrainRealValue(440.0f), 440.0f);
}

TEST(AAX_CLinearTaperDelegate, NotANumberLandsOnTheMinimum)
{
    const AAX_CLinearTaperDelegate<float, 0> taper(0.0f, 1.0f);
    const float nan = std::numeric_limits<float>::quiet_NaN();
    EXPECT_FLOAT_EQ(taper.ConstrainRealValue(nan), 0.0f);
    EXPECT_DOUBLE_EQ(taper.RealToNormalized(nan), 0.0);
    EXPECT_FLOAT_EQ(taper.NormalizedToReal(std::nan("")), 0.0f);
}

TEST(AAX_CLinearTaperDelegate, CloneKeepsTheBoundsAndIsOwnedByTheCaller)
{
    const AAX_CLinearTaperDelegate<float, 0> taper(-3.0f, 7.0f);
    std::unique_ptr<AAX_ITaperDelegate<float>> clone(taper.Clone());
    EXPECT_FLOAT_EQ(clone->GetMinimumValue(), -3.0f);
    EXPECT_FLOAT_EQ(clone->GetMaximumValue(), 7.0f);
    EXPECT_FLOAT_EQ(clone->NormalizedToReal(0.5), 2.0f);
}

} // namespace
