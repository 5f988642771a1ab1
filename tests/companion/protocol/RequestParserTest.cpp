#include "RequestParser.h"

#include <gtest/gtest.h>

namespace companion
{
namespace
{

const std::string kExample = "{request:\"process\", tools:[true,false], presets: [3,0],rangeLow: "
                             "0, rangeHigh: 22050, input: "
                             "\"/Users/user/Documents/Orvendal_interface_0.wav\"}";

TEST(RequestParser, ReadsTheRequestsAsThePlugInWritesThem)
{
    EXPECT_EQ(RequestParser::parse("{request:\"parameters\"}").kind, RequestKind::Parameters);

    const Request request = RequestParser::parse(kExample);
    ASSERT_EQ(request.kind, RequestKind::Process) << request.error;
    EXPECT_EQ(request.tools, (std::vector<bool>{true, false}));
    EXPECT_EQ(request.presets, (std::vector<int>{3, 0}));
    EXPECT_EQ(request.rangeLow, 0);
    EXPECT_EQ(request.rangeHigh, 22050);
    EXPECT_EQ(request.input, "/Users/user/Documents/Orvendal_interface_0.wav");

    // One tool (NTools 0), the frequency range on, a path holding a quote and spaces.
    const Request one = RequestParser::parse(
        "{request:\"process\", tools:[false], presets: [0],rangeLow: 19200, rangeHigh: 96000, "
        "input: \"/home/a \"b\"/Orvendal_interface_0.wav\"}");
    ASSERT_EQ(one.kind, RequestKind::Process) << one.error;
    EXPECT_EQ(one.tools, std::vector<bool>{false});
    EXPECT_EQ(one.rangeLow, 19200);
    EXPECT_EQ(one.rangeHigh, 96000);
    EXPECT_EQ(one.input, "/home/a \"b\"/Orvendal_interface_0.wav");

    const Request twenty = RequestParser::parse(
        "{request:\"process\", tools:[true,true,true,true,true,true,true,true,true,true,true,true,"
        "true,true,true,true,true,true,true,true], presets: [1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,"
        "16,17,18,19,100],rangeLow: -5, rangeHigh: 2147483647, input: \"/x\"}");
    ASSERT_EQ(twenty.kind, RequestKind::Process) << twenty.error;
    EXPECT_EQ(twenty.tools.size(), 20u);
    EXPECT_EQ(twenty.presets.back(), 100);
    EXPECT_EQ(twenty.rangeLow, -5);
    EXPECT_EQ(twenty.rangeHigh, 2147483647);
}

TEST(RequestParser, RefusesEveryOtherText)
{
    const std::vector<std::string> refused = {
        "",
        "GET / HTTP/1.1",
        "{request:\"parameters\"} ",
        "{\"request\":\"parameters\"}",
        "{request:\"parameters\"}\r",
        "{request:\"Process\", tools:[true], presets: [0],rangeLow: 0, rangeHigh: 1, input: "
        "\"/x\"}",
        // spacing differs from the plug-in's
        "{request:\"process\",tools:[true], presets: [0],rangeLow: 0, rangeHigh: 1, input: \"/x\"}",
        "{request:\"process\", tools:[true], presets:[0],rangeLow: 0, rangeHigh: 1, input: \"/x\"}",
        "{request:\"process\", tools:[true], presets: [0], rangeLow: 0, rangeHigh: 1, input: "
        "\"/x\"}",
        "{request:\"process\", tools:[true ], presets: [0],rangeLow: 0, rangeHigh: 1, input: "
        "\"/x\"}",
        // values
        "{request:\"process\", tools:[], presets: [],rangeLow: 0, rangeHigh: 1, input: \"/x\"}",
        "{request:\"process\", tools:[1], presets: [0],rangeLow: 0, rangeHigh: 1, input: \"/x\"}",
        "{request:\"process\", tools:[true,false], presets: [0],rangeLow: 0, rangeHigh: 1, input: "
        "\"/x\"}",
        "{request:\"process\", tools:[true], presets: [+1],rangeLow: 0, rangeHigh: 1, input: "
        "\"/x\"}",
        "{request:\"process\", tools:[true], presets: [01],rangeLow: 0, rangeHigh: 1, input: "
        "\"/x\"}",
        "{request:\"process\", tools:[true], presets: [0],rangeLow: 2147483648, rangeHigh: 1, "
        "input: \"/x\"}",
        "{request:\"process\", tools:[true], presets: [0],rangeLow: 99999999999999999999, "
        "rangeHigh: 1, input: \"/x\"}",
        "{request:\"process\", tools:[true], presets: [0],rangeLow: -, rangeHigh: 1, input: "
        "\"/x\"}",
        "{request:\"process\", tools:[true], presets: [0],rangeLow: 0, rangeHigh: 1, input: \"\"}",
        "{request:\"process\", tools:[true], presets: [0],rangeLow: 0, rangeHigh: 1, input: "
        "\"/a\tb\"}",
        "{request:\"process\", tools:[true], presets: [0],rangeLow: 0, rangeHigh: 1, input: "
        "\"/x\"} ",
        "{request:\"process\", tools:[true], presets: [0],rangeLow: 0, rangeHigh: 1, input: \"/x\"",
        std::string("{request:\"process\", tools:[true], presets: [0],rangeLow: 0, rangeHigh: 1, "
                    "input: \"/a") +
            std::string(1, '\0') + "b\"}",
    };
    for (const std::string& line : refused)
    {
        const Request request = RequestParser::parse(line);
        EXPECT_EQ(request.kind, RequestKind::Invalid) << line;
        EXPECT_FALSE(request.error.empty()) << line;
    }

    std::string tooMany = "{request:\"process\", tools:[true";
    for (int i = 0; i < 20; ++i)
        tooMany += ",true";
    tooMany += "], presets: [0],rangeLow: 0, rangeHigh: 1, input: \"/x\"}";
    EXPECT_EQ(RequestParser::parse(tooMany).kind, RequestKind::Invalid);
}

TEST(RequestParser, RefusesTheExampleCutShortAtEveryLength)
{
    for (size_t length = 0; length < kExample.size(); ++length)
        EXPECT_EQ(RequestParser::parse(kExample.substr(0, length)).kind, RequestKind::Invalid)
            << length;
}

} // namespace
} // namespace companion
