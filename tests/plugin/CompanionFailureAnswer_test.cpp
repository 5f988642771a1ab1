#include "CompanionFailureAnswer.h"

#include <gtest/gtest.h>

namespace
{

using CompanionFailureAnswer::IsFailure;
using CompanionFailureAnswer::Reason;

TEST(CompanionFailureAnswer, OnlyTheErrorLineIsAFailure)
{
    EXPECT_TRUE(IsFailure("{\"error\":\"the file is not an interface file\"}\n"));
    EXPECT_TRUE(IsFailure("{\"error\":"));
    // Nothing, or anything else, is the companion's success as it always was.
    for (const char* answer : {"", "\n", "ok", " {\"error\":\"x\"}", "{\"Error\":\"x\"}",
                               "{\"error\"", "{\"version\":\"1\"}", "{error:\"x\"}"})
        EXPECT_FALSE(IsFailure(answer)) << answer;
    EXPECT_EQ(Reason("{\"version\":\"1\"}"), "");
}

TEST(CompanionFailureAnswer, TheReasonIsUnescapedAndPrintable)
{
    EXPECT_EQ(Reason("{\"error\":\"disk full\"}\n"), "disk full");
    EXPECT_EQ(Reason("{\"error\": \"spaced\"}"), "spaced");
    EXPECT_EQ(Reason("{\"error\":\"a \\\"quoted\\\" \\\\ and \\/ slash\"}"),
              "a \"quoted\" \\ and / slash");
    // Line breaks and tabs become spaces; control bytes, escapes of non-ASCII or broken
    // escapes become '?', so the trace stays one readable line.
    EXPECT_EQ(Reason("{\"error\":\"two\\nlines\\tand\\u0041\\u00e9\\u12\\q\"}"),
              "two lines andA??");
    EXPECT_EQ(Reason(std::string("{\"error\":\"bell\x07\x7f\"}")), "bell??");
    // UTF-8 text passes as it is.
    EXPECT_EQ(Reason("{\"error\":\"caf\xc3\xa9\"}"), "caf\xc3\xa9");
    // No string, or one cut short: what there is.
    EXPECT_EQ(Reason("{\"error\":42}"), "");
    EXPECT_EQ(Reason("{\"error\":\"cut"), "cut");
    EXPECT_EQ(Reason("{\"error\":\"ends in \\"), "ends in ");
    EXPECT_EQ(Reason("{\"error\":\"\\u00"), "?");
}

TEST(CompanionFailureAnswer, OnlyTheFirstKilobyteIsLookedAt)
{
    const std::string longReason(5000, 'r');
    const std::string reason = Reason("{\"error\":\"" + longReason + "\"}");
    EXPECT_EQ(reason.size(), CompanionFailureAnswer::kExaminedBytes - 10);
    EXPECT_EQ(reason, longReason.substr(0, reason.size()));
}

} // namespace
