#include "CompanionFailureAnswer.h"

#include <gtest/gtest.h>

namespace
{

using CompanionFailureAnswer::IsFailure;
using CompanionFailureAnswer::IsReport;
using CompanionFailureAnswer::Reason;
using CompanionFailureAnswer::Report;

TEST(CompanionFailureAnswer, OnlyTheErrorLineIsAFailure)
{
    EXPECT_TRUE(IsFailure("{\"error\":\"the file is not an interface file\"}\n"));
    EXPECT_TRUE(IsFailure("{\"error\":"));
    for (const char* answer : {"", "\n", "ok", " {\"error\":\"x\"}", "{\"Error\":\"x\"}",
                               "{\"error\"", "{\"version\":\"1\"}", "{error:\"x\"}"})
        EXPECT_FALSE(IsFailure(answer)) << answer;
    EXPECT_EQ(Reason("{\"version\":\"1\"}"), "");
    // The first error line decides wherever it stands, but only within the examined bytes.
    const std::string both = "{\"report\":\"Gain: done\"}\nnoise\n{\"error\":\"disk full\"}\n"
                             "{\"error\":\"later\"}\n";
    EXPECT_TRUE(IsFailure(both));
    EXPECT_EQ(Reason(both), "disk full");
    EXPECT_FALSE(IsFailure("x{\"error\":\"inside a line\"}\n"));
    EXPECT_FALSE(IsFailure(std::string(CompanionFailureAnswer::kExaminedBytes, 'x') +
                           "\n{\"error\":\"late\"}"));
}

TEST(CompanionFailureAnswer, AReportLineGivesItsText)
{
    EXPECT_TRUE(IsReport("{\"report\":\"De-hum 50 Hz: no hum found\"}\n"));
    EXPECT_EQ(Report("{\"report\":\"De-hum 50 Hz: no hum found\"}\n"),
              "De-hum 50 Hz: no hum found");
    EXPECT_EQ(Report("hello\n{\"report\": \"a\\\"b\"}"), "a\"b");
    EXPECT_FALSE(IsReport("{\"version\":\"1\"}"));
    EXPECT_FALSE(IsReport(" {\"report\":\"x\"}"));
    EXPECT_FALSE(IsFailure("{\"report\":\"{\"error\":\"quoted\"}\"}"));
}

TEST(CompanionFailureAnswer, TheReasonIsUnescapedAndPrintable)
{
    EXPECT_EQ(Reason("{\"error\":\"disk full\"}\n"), "disk full");
    // A string left open ends with its line.
    EXPECT_EQ(Reason("{\"error\":\"cut\n{\"report\":\"x\"}\n"), "cut");
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
