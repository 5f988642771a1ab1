#include "AAX_ExportGuard.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace
{

TEST(AAX_ExportGuard, PassesResultsAndTurnsEveryExceptionIntoUnexpected)
{
    EXPECT_EQ(AAX_ExportGuard([] { return kResultSuccess; }), kResultSuccess);
    EXPECT_EQ(AAX_ExportGuard([] { return static_cast<AAX_Result>(-20009); }), -20009);
    EXPECT_EQ(AAX_ExportGuard([]() -> AAX_Result { throw std::runtime_error("x"); }),
              kResultUnexpected);
    EXPECT_EQ(
        AAX_ExportGuard([]() -> AAX_Result { throw static_cast<int32>(kResultNullPointerAccess); }),
        kResultUnexpected);
    EXPECT_EQ(AAX_ExportGuard([]() -> AAX_Result { throw 1.5; }), kResultUnexpected);
    EXPECT_EQ(static_cast<uint32>(kResultUnexpected), 0x8000FFFFu);
}

} // namespace
