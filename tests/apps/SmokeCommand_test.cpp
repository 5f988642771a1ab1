#include "SmokeCommand.h"

#include <gtest/gtest.h>

#include <CLI/CLI.hpp>

#include <sstream>

#include "AAX_CHostServices.h"

using orv::apps::SmokeCommand;

namespace
{

TEST(SmokeCommand, RunsThroughTheWrappersAndReportsWhatTheHostRecorded)
{
    SmokeCommand::Options options;
    options.sampleRate = 44100.0f;
    std::ostringstream out;
    EXPECT_EQ(SmokeCommand::Run(options, out), 0);
    const std::string text = out.str();
    EXPECT_NE(text.find("sample rate: 44100 Hz"), std::string::npos) << text;
    EXPECT_NE(text.find("orvendal-host smoke: sample rate 44100 Hz requested"), std::string::npos);
    EXPECT_NE(text.find("field 1, 4 bytes: 4F 51 56 01"), std::string::npos) << text;
    EXPECT_NE(text.find("smoke: OK"), std::string::npos);
    EXPECT_EQ(text.find("FAILED"), std::string::npos);
    // The run leaves no module-wide host services behind.
    EXPECT_EQ(AAX_CHostServices::Get(), nullptr);
}

TEST(SmokeCommand, TheCommandLineParsesItsOptions)
{
    CLI::App app;
    int exitCode = -1;
    SmokeCommand::Register(app, &exitCode);
    const char* argv[] = {"orvendal-host", "smoke", "--sample-rate", "96000"};
    EXPECT_NO_THROW(app.parse(4, const_cast<char**>(argv)));
    EXPECT_EQ(exitCode, 0);

    CLI::App rejecting;
    SmokeCommand::Register(rejecting, &exitCode);
    const char* bad[] = {"orvendal-host", "smoke", "--sample-rate", "-5"};
    EXPECT_THROW(rejecting.parse(4, const_cast<char**>(bad)), CLI::ValidationError);
}

} // namespace
