#include "ProcessRequest.h"

#include <gtest/gtest.h>

#include <cmath>

#include "FakeEffectParameters.h"
#include "OfflineParameterIDs.h"

namespace
{

using orv::test::FakeEffectParameters;

constexpr const char* kPath = "/home/user/Documents/Orvendal_interface_0.wav";

FakeEffectParameters Parameters()
{
    FakeEffectParameters parameters;
    for (int i = 0; i < OfflineParameterIDs::kMaxTools; ++i)
    {
        parameters.Define(OfflineParameterIDs::kToolSwitch[i], 0.0);
        parameters.Define(OfflineParameterIDs::kToolPreset[i], 0.0);
    }
    for (const char* id : {"NTools", "chkfr", "minfr", "maxfr"})
        parameters.Define(id, 0.0);
    return parameters;
}

TEST(ProcessRequest, WritesTheRequestByteForByte)
{
    FakeEffectParameters parameters = Parameters();
    parameters.Define("NTools", 0.02);
    parameters.Define("Par1", 1.0);
    parameters.Define("Men1", 0.03);
    const ProcessRequest::Request request = ProcessRequest::Build(&parameters, 44100.0f, kPath);
    EXPECT_EQ(request.text, "{request:\"process\", tools:[true,false], presets: [3,0],rangeLow: 0, "
                            "rangeHigh: 22050, input: \"/home/user/Documents/"
                            "Orvendal_interface_0.wav\"}\n");
    EXPECT_EQ(request.toolCount, 2);
    EXPECT_EQ(request.rangeCheckResult, 0);
}

TEST(ProcessRequest, ReadsCountsAsTheEditorWroteThem)
{
    FakeEffectParameters parameters = Parameters();
    // Stored in single precision, 0.03 reads back slightly below.
    parameters.Define("NTools", 0.03);
    ASSERT_LT(parameters.Value("NTools"), 0.03);
    ProcessRequest::Request request = ProcessRequest::Build(&parameters, 48000.0f, kPath);
    EXPECT_EQ(request.toolCount, 3);
    EXPECT_NE(request.text.find("tools:[false,false,false]"), std::string::npos);

    // No tools, or one, still list one switch and one preset, from Par1 and Men1.
    for (double tools : {0.0, 0.01})
    {
        parameters.Define("NTools", tools);
        parameters.Define("Men1", 0.03);
        request = ProcessRequest::Build(&parameters, 48000.0f, kPath);
        EXPECT_NE(request.text.find("tools:[false], presets: [3]"), std::string::npos);
    }

    // More than the 20 tool parameters lists 20.
    parameters.Define("NTools", 0.57);
    request = ProcessRequest::Build(&parameters, 48000.0f, kPath);
    EXPECT_EQ(request.toolCount, 20);
    EXPECT_NE(request.text.find("presets: [3,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0]"),
              std::string::npos);
}

TEST(ProcessRequest, SendsTheChosenRangeOnlyWhenItIsSwitchedOn)
{
    FakeEffectParameters parameters = Parameters();
    parameters.Define("minfr", 0.1);
    parameters.Define("maxfr", 0.5);
    EXPECT_NE(ProcessRequest::Build(&parameters, 96000.0f, kPath)
                  .text.find(",rangeLow: 0, rangeHigh: 48000, "),
              std::string::npos);
    parameters.Define("chkfr", 1.0);
    EXPECT_NE(ProcessRequest::Build(&parameters, 96000.0f, kPath)
                  .text.find(",rangeLow: 19200, rangeHigh: 96000, "),
              std::string::npos);
    // Half of an odd rate is cut to whole hertz.
    parameters.Define("chkfr", 0.0);
    EXPECT_NE(ProcessRequest::Build(&parameters, 22051.0f, kPath).text.find("rangeHigh: 11025,"),
              std::string::npos);
}

TEST(ProcessRequest, MissingParametersReadAsZero)
{
    FakeEffectParameters none;
    const ProcessRequest::Request request = ProcessRequest::Build(&none, 48000.0f, "");
    EXPECT_EQ(request.text, "{request:\"process\", tools:[false], presets: [0],rangeLow: 0, "
                            "rangeHigh: 24000, input: \"\"}\n");
    EXPECT_NE(request.rangeCheckResult, 0);
    EXPECT_EQ(ProcessRequest::Build(nullptr, 48000.0f, "").text, request.text);

    EXPECT_EQ(ProcessRequest::Count(1e300, 100.0), 2147483647);
    EXPECT_EQ(ProcessRequest::Count(-1e300, 100.0), -2147483647 - 1);
    EXPECT_EQ(ProcessRequest::Count(std::nan(""), 100.0), 0);
}

} // namespace
