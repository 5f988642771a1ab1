#include "AAX_CString.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <limits>

namespace
{

TEST(AAX_CString, ConstructsCopiesAndAssignsByValue)
{
    EXPECT_STREQ(AAX_CString().Get(), "");
    EXPECT_STREQ(AAX_CString(static_cast<const char*>(nullptr)).Get(), "");

    AAX_CString original("Par1");
    AAX_CString copy(original);
    copy[0] = 'p';
    EXPECT_STREQ(original.Get(), "Par1");
    EXPECT_STREQ(copy.CString(), "par1");

    const AAX_IString& asInterface = original;
    AAX_CString fromInterface(asInterface);
    EXPECT_TRUE(fromInterface == original);

    AAX_IString& target = copy;
    target = asInterface;
    EXPECT_STREQ(copy.Get(), "Par1");
    target = "Men20";
    EXPECT_STREQ(copy.Get(), "Men20");
    target = target; // self-assignment through the interface keeps the text
    EXPECT_STREQ(copy.Get(), "Men20");

    copy.Set(nullptr);
    EXPECT_EQ(copy.Length(), 0u);
}

TEST(AAX_CString, LengthCountsBytesAndMaxLengthIsFixed)
{
    AAX_CString text("h\xC3\xA9llo");
    EXPECT_EQ(text.Length(), 6u);
    EXPECT_EQ(text.MaxLength(), 4294967294u);
    EXPECT_EQ(AAX_CString().MaxLength(), 0xFFFFFFFEu);
    text.Clear();
    EXPECT_EQ(text.Length(), 0u);
    EXPECT_STREQ(text.Get(), "");
}

TEST(AAX_CString, EqualityIsByteWise)
{
    EXPECT_TRUE(AAX_CString("a") == AAX_CString("a"));
    EXPECT_FALSE(AAX_CString("a") != AAX_CString("a"));
    EXPECT_FALSE(AAX_CString("a") == AAX_CString("a "));
    EXPECT_TRUE(AAX_CString("a") != AAX_CString("A"));
}

TEST(AAX_CString, EraseRemovesBytesAndStaysWithinTheText)
{
    AAX_CString text("ab.c");
    EXPECT_STREQ(text.Erase(2, 1).Get(), "abc");

    AAX_CString longer("abcdefgh");
    longer.Erase(3, longer.Length() - 3);
    EXPECT_STREQ(longer.Get(), "abc");

    AAX_CString beyond("abcdef");
    EXPECT_STREQ(beyond.Erase(4, 100).Get(), "abcd");
    EXPECT_STREQ(beyond.Erase(10, 1).Get(), "abcd");
    EXPECT_STREQ(beyond.Erase(4, 1).Get(), "abcd");
    EXPECT_STREQ(beyond.Erase(0, 0).Get(), "abcd");
}

TEST(AAX_CString, AppendNumberWritesFixedNotationWithTheGivenPrecision)
{
    EXPECT_STREQ(AAX_CString().AppendNumber(1.5, 2).Get(), "1.50");
    EXPECT_STREQ(AAX_CString().AppendNumber(-3.14159, 3).Get(), "-3.142");
    EXPECT_STREQ(AAX_CString().AppendNumber(2.0, 0).Get(), "2");
    EXPECT_STREQ(AAX_CString().AppendNumber(1e20, 1).Get(), "100000000000000000000.0");
    EXPECT_STREQ(AAX_CString().AppendNumber(0.125, 2).Get(), "0.12"); // to the nearest even
    EXPECT_STREQ(AAX_CString().AppendNumber(2.5, -4).Get(), "2");
    EXPECT_STREQ(AAX_CString("Gain ").AppendNumber(0.5, 2).AppendNumber(7, 1).Get(),
                 "Gain 0.507.0");
}

TEST(AAX_CString, NumbersIgnoreTheProcessLocale)
{
    // Where a locale with a decimal comma is installed, it must not leak into the text.
    const char* previous = std::setlocale(LC_ALL, nullptr);
    const std::string saved = previous ? previous : "C";
    const bool german = std::setlocale(LC_ALL, "de_DE.UTF-8") != nullptr;
    std::locale::global(german ? std::locale("de_DE.UTF-8") : std::locale::classic());

    EXPECT_STREQ(AAX_CString().AppendNumber(1234.5, 1).Get(), "1234.5");
    double value = 0;
    EXPECT_TRUE(AAX_CString("0.25").ToDouble(&value));
    EXPECT_DOUBLE_EQ(value, 0.25);

    std::locale::global(std::locale::classic());
    std::setlocale(LC_ALL, saved.c_str());
}

TEST(AAX_CString, ToDoubleReadsALeadingNumberOrFailsWithZero)
{
    double value = -1;
    EXPECT_TRUE(AAX_CString("  12.5abc").ToDouble(&value));
    EXPECT_DOUBLE_EQ(value, 12.5);
    EXPECT_TRUE(AAX_CString("-3e2").ToDouble(&value));
    EXPECT_DOUBLE_EQ(value, -300.0);
    EXPECT_TRUE(AAX_CString("\t7 8").ToDouble(&value));
    EXPECT_DOUBLE_EQ(value, 7.0);

    value = -1;
    EXPECT_FALSE(AAX_CString("").ToDouble(&value));
    EXPECT_EQ(value, 0.0);
    value = -1;
    EXPECT_FALSE(AAX_CString("abc").ToDouble(&value));
    EXPECT_EQ(value, 0.0);
    value = -1;
    EXPECT_FALSE(AAX_CString("1e999").ToDouble(&value));
    EXPECT_EQ(value, 0.0);
    EXPECT_FALSE(AAX_CString("1").ToDouble(nullptr));
}

TEST(AAX_CString, SubStringCopiesAtMostNBytesFromPos)
{
    const AAX_CString text("Orvendal QV");
    AAX_CString out("old");
    text.SubString(0, 8, &out);
    EXPECT_STREQ(out.Get(), "Orvendal");
    text.SubString(9, 100, &out);
    EXPECT_STREQ(out.Get(), "QV");
    text.SubString(text.Length(), 3, &out);
    EXPECT_STREQ(out.Get(), "");
    out = "old";
    text.SubString(text.Length() + 5, 3, &out);
    EXPECT_STREQ(out.Get(), "");
    text.SubString(2, 0, &out);
    EXPECT_STREQ(out.Get(), "");
    text.SubString(0, 3, nullptr); // nowhere to write: nothing happens
}

} // namespace
