#include "RequestReader.h"

#include <gtest/gtest.h>

#include <string>

namespace companion
{
namespace
{

using Result = RequestReader::Result;

// Feeds `text` in pieces cut at `cut` (as two reads may deliver it); returns the result.
Result feedInTwo(const std::string& text, size_t cut, std::string& line, size_t maxBytes = 64)
{
    RequestReader reader(maxBytes);
    Result result = reader.feed(text.data(), cut);
    if (cut < text.size()) result = reader.feed(text.data() + cut, text.size() - cut);
    line = reader.line();
    return result;
}

TEST(RequestReader, ReadsOneLineAndRefusesTheRest)
{
    std::string line;
    // The plug-in keeps its side open after the line: the line feed ends it.
    const std::string request = "{request:\"parameters\"}\n";
    for (size_t cut = 0; cut <= request.size(); ++cut)
    {
        ASSERT_EQ(feedInTwo(request, cut, line), Result::Line) << cut;
        ASSERT_EQ(line, "{request:\"parameters\"}") << cut;
    }
    EXPECT_EQ(feedInTwo(std::string(64, 'x') + "\n", 30, line), Result::Line);
    EXPECT_EQ(line, std::string(64, 'x'));
    EXPECT_EQ(feedInTwo("\n", 1, line), Result::Line);
    EXPECT_EQ(line, "");

    EXPECT_EQ(feedInTwo(std::string(65, 'x') + "\n", 65, line), Result::TooLong);
    EXPECT_EQ(feedInTwo(std::string(65, 'x') + "\n", 10, line), Result::TooLong);
    EXPECT_EQ(feedInTwo(std::string(5000, 'x'), 4000, line), Result::TooLong);
    EXPECT_EQ(line, "");
    EXPECT_EQ(feedInTwo("GET / HTTP/1.1\r\nHost: x\r\n\r\n", 26, line), Result::TrailingData);
    EXPECT_EQ(feedInTwo("GET / HTTP/1.1\r\nHost: x\r\n\r\n", 5, line), Result::TrailingData);
    EXPECT_EQ(line, "");
    // Every prefix without its line feed is still waiting for more.
    for (size_t size = 0; size < request.size(); ++size)
        EXPECT_EQ(RequestReader(64).feed(request.data(), size), Result::Incomplete) << size;
}

TEST(RequestReader, KeepsItsVerdictWhateverFollows)
{
    RequestReader reader(64);
    ASSERT_EQ(reader.feed("{request:\"parameters\"}\n", 23), Result::Line);
    // A line feed sent in a later read comes after the line was handed on: not looked at.
    EXPECT_EQ(reader.feed("more\n", 5), Result::Line);
    EXPECT_EQ(reader.line(), "{request:\"parameters\"}");

    RequestReader tooLong(4);
    EXPECT_EQ(tooLong.feed("abcde", 5), Result::TooLong);
    EXPECT_EQ(tooLong.feed("\n", 1), Result::TooLong);
    EXPECT_EQ(tooLong.result(), Result::TooLong);
    EXPECT_STRNE(RequestReader::describe(Result::TooLong), RequestReader::describe(Result::Line));
}

} // namespace
} // namespace companion
