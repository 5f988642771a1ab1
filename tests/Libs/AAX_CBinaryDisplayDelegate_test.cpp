#include "AAX_CBinaryDisplayDelegate.h"

#include <gtest/gtest.h>

#include <memory>

namespace
{

TEST(AAX_CBinaryDisplayDelegate, ShowsAndReadsExactlyItsTwoTexts)
{
    const AAX_CBinaryDisplayDelegate<bool> display("bypass", "on");
    AAX_CString text;
    EXPECT_TRUE(display.ValueToString(true, &text));
    EXPECT_EQ(text.StdString(), "on");
    EXPECT_TRUE(display.ValueToString(false, 2, &text));
    EXPECT_EQ(text.StdString(), "bypass"); // never shortened

    bool value = false;
    EXPECT_TRUE(display.StringToValue(AAX_CString("on"), &value));
    EXPECT_TRUE(value);
    EXPECT_TRUE(display.StringToValue(AAX_CString("bypass"), &value));
    EXPECT_FALSE(value);
    value = true;
    EXPECT_FALSE(display.StringToValue(AAX_CString("On"), &value));
    EXPECT_FALSE(value);

    std::unique_ptr<AAX_IDisplayDelegate<bool>> clone(display.Clone());
    EXPECT_TRUE(clone->ValueToString(true, &text));
    EXPECT_EQ(text.StdString(), "on");
}

} // namespace
