#include "ParametersAnswer.h"
#include "CompanionConstants.h"
#include "ToolCatalog.h"

#include <gtest/gtest.h>

namespace companion
{
namespace
{

// Cuts the answer apart the way the editor does: search a key, take the text up to a
// terminator, split at an exact separator.
std::vector<std::string> split(const std::string& text, const std::string& separator)
{
    std::vector<std::string> parts;
    size_t start = 0;
    for (size_t at; (at = text.find(separator, start)) != std::string::npos;
         start = at + separator.size())
        parts.push_back(text.substr(start, at - start));
    parts.push_back(text.substr(start));
    return parts;
}

std::string between(const std::string& text, const std::string& key, const std::string& end)
{
    const size_t start = text.find(key);
    if (start == std::string::npos) return {};
    const size_t from = start + key.size();
    return text.substr(from, text.find(end, from) - from);
}

TEST(ParametersAnswer, IsTheExactTextTheEditorParses)
{
    const std::string answer = ParametersAnswer::build();
    EXPECT_EQ(answer,
              "{\"version\":\"1.0.0\",\"tools\":[\"Gain\",\"Normalize\",\"Denoise\",\"De-hum\","
              "\"Band\"],\"presets\":[[\"-12 dB\",\"-6 dB\",\"-3 dB\",\"+3 dB\",\"+6 dB\"],"
              "[\"Peak -1 dBFS\",\"Peak -0.1 dBFS\",\"-23 LUFS\",\"-16 LUFS\",\"-14 LUFS\"],"
              "[\"Light\",\"Medium\",\"Strong\"],[\"50 Hz\",\"60 Hz\"],[\"Keep band\","
              "\"Remove band\"]],\"rangeMax\":96000}");
    EXPECT_LE(answer.size(), kMaxAnswerBytes);

    const std::string version = between(answer, "\"version\":\"", "\"");
    EXPECT_LT(version.size(), 20u);
    const auto tools = split(between(answer, "\"tools\":[\"", "\"]"), "\",\"");
    const auto groups = split(between(answer, "\"presets\":[[", "]]"), "],[");
    ASSERT_EQ(tools.size(), ToolCatalog::tools().size());
    ASSERT_EQ(groups.size(), tools.size());
    for (size_t i = 0; i < tools.size(); ++i)
    {
        const ToolEntry& entry = ToolCatalog::tools()[i];
        EXPECT_EQ(tools[i], entry.name);
        const std::string& group = groups[i];
        const std::string inner = group.substr(1, group.rfind('"') - 1);
        EXPECT_EQ(split(inner, "\",\""), entry.presets) << entry.name;
    }
    EXPECT_EQ(std::atof(between(answer, "\"rangeMax\":", "}").c_str()), 96000.0);
}

} // namespace
} // namespace companion
