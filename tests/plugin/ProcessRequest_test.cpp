#include "ProcessRequest.h"

#include <gtest/gtest.h>


#include "HostedParameters.h"

namespace
{

using orv::host::ReferenceHost;
using orv::test::HostedParameters;

constexpr const char* kPath = "/home/user/Documents/Orvendal_interface_0.wav";

class ProcessRequestTest : public ::testing::Test
{
protected:
    std::string Text(float sampleRate) const
    {
        return ProcessRequest::Build(parameters.Get(), sampleRate, kPath).text;
    }
    bool Contains(float sampleRate, const std::string& part) const
    {
        return Text(sampleRate).find(part) != std::string::npos;
    }

    ReferenceHost host;
    HostedParameters parameters{host};
};

TEST_F(ProcessRequestTest, WritesTheRequestByteForByte)
{
    parameters.Set("NTools", 0.02);
    parameters.Set("Par1", 1.0);
    parameters.Set("Men1", 0.03);
    const ProcessRequest::Request request =
        ProcessRequest::Build(parameters.Get(), 44100.0f, kPath);
    EXPECT_EQ(request.text, "{request:\"process\", tools:[true,false], presets: [3,0],rangeLow: 0, "
                            "rangeHigh: 22050, input: \"/home/user/Documents/"
                            "Orvendal_interface_0.wav\"}\n");
    EXPECT_EQ(request.toolCount, 2);
    EXPECT_EQ(request.rangeCheckResult, 0);
}

TEST_F(ProcessRequestTest, ReadsCountsAsTheEditorWroteThem)
{
    parameters.Set("Par1", 0.0);
    // Stored in single precision, 0.03 reads back slightly below.
    parameters.Set("NTools", 0.03);
    ASSERT_LT(parameters.Value("NTools"), 0.03);
    EXPECT_EQ(ProcessRequest::Build(parameters.Get(), 48000.0f, kPath).toolCount, 3);
    EXPECT_TRUE(Contains(48000.0f, "tools:[false,false,false]"));

    // No tools, or one, still list one switch and one preset, from Par1 and Men1.
    parameters.Set("Men1", 0.03);
    for (double tools : {0.0, 0.01})
    {
        parameters.Set("NTools", tools);
        EXPECT_TRUE(Contains(48000.0f, "tools:[false], presets: [3]")) << tools;
    }

    // More than the 20 tool parameters lists 20.
    parameters.Set("NTools", 0.57);
    EXPECT_EQ(ProcessRequest::Build(parameters.Get(), 48000.0f, kPath).toolCount, 20);
    EXPECT_TRUE(Contains(48000.0f, "presets: [3,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0]"));
}

TEST_F(ProcessRequestTest, SendsTheChosenRangeOnlyWhenItIsSwitchedOn)
{
    parameters.Set("minfr", 0.1);
    parameters.Set("maxfr", 0.5);
    EXPECT_TRUE(Contains(96000.0f, ",rangeLow: 0, rangeHigh: 48000, "));
    parameters.Set("chkfr", 1.0);
    EXPECT_TRUE(Contains(96000.0f, ",rangeLow: 19200, rangeHigh: 96000, "));
    // Half of an odd rate is cut to whole hertz.
    parameters.Set("chkfr", 0.0);
    EXPECT_TRUE(Contains(22051.0f, "rangeHigh: 11025,"));
}

TEST(ProcessRequest, WithoutParametersEverythingReadsAsZero)
{
    const ProcessRequest::Request request = ProcessRequest::Build(nullptr, 48000.0f, "");
    EXPECT_EQ(request.text, "{request:\"process\", tools:[false], presets: [0],rangeLow: 0, "
                            "rangeHigh: 24000, input: \"\"}\n");
    EXPECT_NE(request.rangeCheckResult, 0);
}

} // namespace
