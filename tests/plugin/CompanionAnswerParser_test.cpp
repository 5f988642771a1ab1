#include "CompanionAnswerParser.h"

#include <gtest/gtest.h>

#include "CompanionProtocol.h"

namespace
{

using CompanionAnswerParser::Parse;

std::string Quoted(const std::string& text)
{
    return "\"" + text + "\"";
}

// What the parser makes of an answer in a fresh record, as the caller resets it beforehand.
CompanionInfo Parsed(const std::string& answer, float halfSampleRate)
{
    CompanionInfo info;
    Parse(answer, halfSampleRate, info);
    return info;
}

TEST(CompanionAnswerParser, ReadsAWellFormedAnswerInAnyKeyOrder)
{
    const CompanionInfo info = Parsed(
        "{\"version\":\"2.0\",\"tools\":[\"T1\",\"T2\"],\"presets\":[[\"P1\",\"P2\"],[\"P1\"]],"
        "\"rangeMax\":20000}",
        24000.0f);
    EXPECT_EQ(info.version, "2.0");
    ASSERT_EQ(info.toolCount, 2);
    EXPECT_EQ(info.toolNames[1], "T1");
    EXPECT_EQ(info.toolNames[2], "T2");
    EXPECT_EQ(info.presetGroupCount, 2);
    ASSERT_EQ(info.presetCounts[1], 2);
    EXPECT_EQ(info.presetNames[1][1], "P1");
    EXPECT_EQ(info.presetNames[1][2], "P2");
    ASSERT_EQ(info.presetCounts[2], 1);
    EXPECT_EQ(info.presetNames[2][1], "P1");
    EXPECT_FLOAT_EQ(info.rangeMax, 20000.0f);

    const CompanionInfo reordered =
        Parsed("{\"rangeMax\":90000,\"presets\":[[],[\"A b\"]],\"tools\":[\"Gain\",\"Band\"],"
               "\"version\":\"1\"}",
               22050.0f);
    EXPECT_EQ(reordered.version, "1");
    EXPECT_EQ(reordered.toolCount, 2);
    EXPECT_EQ(reordered.presetCounts[1], 0);
    EXPECT_EQ(reordered.presetNames[2][1], "A b");
    // Never above half the host's rate.
    EXPECT_FLOAT_EQ(reordered.rangeMax, 22050.0f);
}

TEST(CompanionAnswerParser, CutsWhatTheRecordCannotHold)
{
    std::string tools;
    for (int i = 1; i <= 25; ++i)
        tools += (i > 1 ? "," : "") + Quoted("T" + std::to_string(i));
    const CompanionInfo info = Parsed(
        "{\"tools\":[" + tools + "],\"version\":\"" + std::string(40, 'v') + "\"}", 96000.0f);
    EXPECT_EQ(info.toolCount, CompanionProtocol::kMaxTools);
    EXPECT_EQ(info.toolNames[20], "T20");
    EXPECT_EQ(info.version, std::string(19, 'v'));

    // Long names and more presets than fit, in an answer far beyond 400 bytes: only the
    // first 399 bytes are read.
    std::string presets;
    for (int i = 1; i <= 150; ++i)
        presets += (i > 1 ? "," : "") + Quoted("p" + std::to_string(i));
    const CompanionInfo many = Parsed("{\"tools\":[" + Quoted(std::string(150, 'n')) +
                                          "],\"presets\":[[" + presets + "]],\"rangeMax\":1000}",
                                      96000.0f);
    ASSERT_EQ(many.toolCount, 1);
    EXPECT_EQ(many.toolNames[1], std::string(99, 'n'));
    EXPECT_GT(many.presetCounts[1], 10);
    EXPECT_LE(many.presetCounts[1], CompanionInfo::kMaxPresets);
    // The rangeMax key lies beyond the first 399 bytes.
    EXPECT_FLOAT_EQ(many.rangeMax, 96000.0f);

    // Empty names are the only ones short enough for more than 99 to fit in 399 bytes.
    std::string hundredPresets;
    for (int i = 1; i <= 120; ++i)
        hundredPresets += i > 1 ? "\",\"" : "";
    const CompanionInfo capped =
        Parsed("{\"tools\":[\"T\"],\"presets\":[[\"" + hundredPresets + "\"]]}", 96000.0f);
    EXPECT_EQ(capped.presetCounts[1], CompanionInfo::kMaxPresets);
}

TEST(CompanionAnswerParser, CopesWithMissingKeysAndOddNumbers)
{
    const CompanionInfo empty = Parsed("", 48000.0f);
    EXPECT_EQ(empty.toolCount, 0);
    EXPECT_TRUE(empty.version.empty());
    EXPECT_FLOAT_EQ(empty.rangeMax, 48000.0f);

    const CompanionInfo fewGroups =
        Parsed("{\"tools\":[\"A\",\"B\",\"C\"],\"presets\":[[\"x\"]],\"rangeMax\":abc}", 96000.0f);
    EXPECT_EQ(fewGroups.toolCount, 3);
    EXPECT_EQ(fewGroups.presetCounts[1], 1);
    EXPECT_EQ(fewGroups.presetCounts[3], 0);
    EXPECT_FLOAT_EQ(fewGroups.rangeMax, 96000.0f);

    const CompanionInfo unterminated = Parsed("{\"version\":\"abc", 8000.0f);
    EXPECT_EQ(unterminated.version, "abc");
    EXPECT_FLOAT_EQ(unterminated.rangeMax, 8000.0f);

    const CompanionInfo negative = Parsed("{\"rangeMax\":-1e300}", 8000.0f);
    EXPECT_FLOAT_EQ(negative.rangeMax, 0.0f);
}

} // namespace
