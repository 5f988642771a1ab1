#include "ErrorAnswer.h"
#include "AnswerLine.h"
#include "CompanionConstants.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include "CompanionProtocol.h"

#include <string>

namespace companion
{
namespace
{

// The reason as a JSON reader gets it back from the line.
std::string reasonIn(const std::string& answer)
{
    return nlohmann::json::parse(answer.substr(0, answer.size() - 1))
        .at("error")
        .get<std::string>();
}

TEST(ErrorAnswer, IsOneJsonLineThatTheReaderGetsTheReasonBackFrom)
{
    const std::string answer = ErrorAnswer::build("cannot open the file: No such file");
    EXPECT_EQ(answer, "{\"error\":\"cannot open the file: No such file\"}\n");
    EXPECT_TRUE(ErrorAnswer::isError(answer));
    EXPECT_FALSE(ErrorAnswer::isError("{\"version\":\"1.0.0\"}"));

    const std::string awkward = "path \"/a\\b\"\n\t\x01 caf\xc3\xa9";
    const std::string escaped = ErrorAnswer::build(awkward);
    EXPECT_EQ(escaped.find('\n'), escaped.size() - 1) << escaped;
    EXPECT_EQ(reasonIn(escaped), awkward);
    // Bytes that are not UTF-8 become the replacement character instead of breaking the line.
    EXPECT_EQ(reasonIn(ErrorAnswer::build("bad \xff byte")), "bad \xef\xbf\xbd byte");
}

TEST(ErrorAnswer, StaysWithinItsLimitWhateverTheReason)
{
    for (const std::string& unit : {std::string("a"), std::string("\""), std::string("\x01"),
                                    std::string("\xc3\xa9"), std::string("\xe2\x82\xac")})
    {
        for (size_t count : {50u, 141u, 142u, 143u, 290u, 291u, 1000u})
        {
            std::string reason;
            for (size_t i = 0; i < count; ++i)
                reason += unit;
            const std::string answer = ErrorAnswer::build(reason);
            ASSERT_LE(answer.size(), CompanionProtocol::kMaxErrorAnswerBytes) << count;
            ASSERT_EQ(answer.back(), '\n');
            ASSERT_TRUE(ErrorAnswer::isError(answer));
            // Shortened whole characters at a time: what is left is the reason's beginning.
            const std::string back = reasonIn(answer);
            ASSERT_EQ(reason.compare(0, back.size(), back), 0) << count;
            // Cut only as far as needed: one more unit would not have fit.
            const nlohmann::json longer = {{"error", reason.substr(0, back.size() + unit.size())}};
            if (back.size() < reason.size())
            {
                ASSERT_GT(longer.dump().size() + 1, CompanionProtocol::kMaxErrorAnswerBytes)
                    << count;
            }
        }
    }
}

TEST(ErrorAnswer, TheReportLineIsCutToItsOwnLimit)
{
    const std::string report(1000, 'r');
    const std::string answer = AnswerLine::build(CompanionProtocol::ReportAnswer::kKey, report,
                                                 CompanionProtocol::ReportAnswer::kMaxLineBytes);
    EXPECT_EQ(answer.size(), CompanionProtocol::ReportAnswer::kMaxLineBytes);
    EXPECT_EQ(answer.rfind(CompanionProtocol::ReportAnswer::kPrefix, 0), 0u);
    const size_t prefix = CompanionProtocol::LengthOf(CompanionProtocol::ReportAnswer::kPrefix);
    EXPECT_EQ(nlohmann::json::parse(answer).at("report").get<std::string>(),
              report.substr(0, CompanionProtocol::ReportAnswer::kMaxLineBytes - prefix - 4));
}

} // namespace
} // namespace companion
