#include "AAX_CNumberDisplayDelegate.h"

#include <gtest/gtest.h>

namespace
{

std::string Show(float value, int limit)
{
    const AAX_CNumberDisplayDelegate<float, 2, 0> display;
    AAX_CString text("old");
    EXPECT_TRUE(display.ValueToString(value, limit, &text));
    return text.StdString();
}

TEST(AAX_CNumberDisplayDelegate, ShowsTwoDecimals)
{
    const AAX_CNumberDisplayDelegate<float, 2, 0> display;
    AAX_CString text("old text");
    EXPECT_TRUE(display.ValueToString(440.0f, &text));
    EXPECT_EQ(text.StdString(), "440.00");
    EXPECT_TRUE(display.ValueToString(3.14159f, &text));
    EXPECT_EQ(text.StdString(), "3.14");
    EXPECT_TRUE(display.ValueToString(99.999f, &text));
    EXPECT_EQ(text.StdString(), "100.00");
    EXPECT_TRUE(display.ValueToString(-0.5f, &text));
    EXPECT_EQ(text.StdString(), "-0.50");
}

TEST(AAX_CNumberDisplayDelegate, LimitCutsDigitsAndDropsADanglingPoint)
{
    EXPECT_EQ(Show(1234.56f, 5), "1234");
    EXPECT_EQ(Show(1234.56f, 6), "1234.5");
    EXPECT_EQ(Show(1234.56f, 2), "12");
    EXPECT_EQ(Show(100.0f, 4), "100");
    EXPECT_EQ(Show(100.0f, 3), "100");
    EXPECT_EQ(Show(100.0f, 0), "");
    EXPECT_EQ(Show(100.0f, -1), "");
    EXPECT_EQ(Show(0.25f, 10), "0.25");
}

TEST(AAX_CNumberDisplayDelegate, ParsesALeadingNumber)
{
    const AAX_CNumberDisplayDelegate<float, 2, 0> display;
    float value = -1.0f;
    EXPECT_TRUE(display.StringToValue(AAX_CString("12.5"), &value));
    EXPECT_FLOAT_EQ(value, 12.5f);
    EXPECT_TRUE(display.StringToValue(AAX_CString("  7 Hz"), &value));
    EXPECT_FLOAT_EQ(value, 7.0f);
    EXPECT_FALSE(display.StringToValue(AAX_CString("Hz 7"), &value));
    EXPECT_FLOAT_EQ(value, 0.0f);
}

} // namespace
