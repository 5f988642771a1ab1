#include "AAX_CBinaryTaperDelegate.h"

#include <gtest/gtest.h>

#include <memory>

namespace
{

TEST(AAX_CBinaryTaperDelegate, AnyPositiveValueIsTrue)
{
    const AAX_CBinaryTaperDelegate<bool> taper;
    EXPECT_FALSE(taper.NormalizedToReal(0.0));
    EXPECT_TRUE(taper.NormalizedToReal(1e-9));
    EXPECT_TRUE(taper.NormalizedToReal(0.001));
    EXPECT_FALSE(taper.NormalizedToReal(-1.0));
    EXPECT_DOUBLE_EQ(taper.RealToNormalized(true), 1.0);
    EXPECT_DOUBLE_EQ(taper.RealToNormalized(false), 0.0);
    EXPECT_TRUE(taper.GetMaximumValue());
    EXPECT_FALSE(taper.GetMinimumValue());

    std::unique_ptr<AAX_ITaperDelegate<bool>> clone(taper.Clone());
    EXPECT_TRUE(clone->NormalizedToReal(0.3));
}

} // namespace
