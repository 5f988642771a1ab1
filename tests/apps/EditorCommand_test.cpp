#include "EditorCommand.h"

#include <gtest/gtest.h>

#include <array>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <thread>

#include "CompanionProcess.h"
#include "ExitCodes.h"
#include "FaultCompanion.h"
#include "ScopedPath.h"
#include "TempFolder.h"

using orv::apps::EditorCommand;
using orv::host::validator::CompanionProcess;
using orv::test::ScopedPath;
using orv::test::TempFolder;
using Kind = EditorCommand::Action::Kind;

namespace
{

constexpr double kHz = 192000.0;

// Width and height from a PNG file's header; 0 x 0 when it is no PNG.
std::pair<uint32_t, uint32_t> PngSize(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    unsigned char header[24] = {};
    file.read(reinterpret_cast<char*>(header), sizeof(header));
    if (!file || header[1] != 'P' || header[2] != 'N' || header[3] != 'G') return {0, 0};
    auto be = [&](int at)
    {
        return uint32_t(header[at]) << 24 | uint32_t(header[at + 1]) << 16 |
               uint32_t(header[at + 2]) << 8 | uint32_t(header[at + 3]);
    };
    return {be(16), be(20)};
}

// "id value text" lines of the command's output, by identifier.
std::map<std::string, double> Values(const std::string& output)
{
    std::map<std::string, double> values;
    std::istringstream lines(output);
    std::string id;
    double value = 0;
    std::string rest;
    while (lines >> id >> value && std::getline(lines, rest))
        values[id] = value;
    return values;
}

EditorCommand::Action Parsed(bool (*parse)(const std::string&, EditorCommand::Action*,
                                           std::string*),
                             const std::string& text)
{
    EditorCommand::Action action{};
    std::string error;
    EXPECT_TRUE(parse(text, &action, &error)) << error;
    return action;
}

TEST(EditorCommand, ParsesTheActionsAndRefusesMalformedOnes)
{
    const auto click = Parsed(EditorCommand::ParseClick, "50,90.5");
    EXPECT_EQ(click.kind, Kind::Click);
    EXPECT_EQ(click.y, 90.5);
    const auto menu = Parsed(EditorCommand::ParseMenu, "2:Peak -1 dB");
    EXPECT_EQ(menu.tool, 2);
    EXPECT_EQ(menu.target, "Peak -1 dB");
    const auto type = Parsed(EditorCommand::ParseType, "max:20000");
    EXPECT_EQ(type.target, "max");
    EXPECT_EQ(type.text, "20000");

    EditorCommand::Action action{};
    std::string error;
    for (const char* bad : {"50", "50,", "x,1", "1,2,3", "nan,1"})
        EXPECT_FALSE(EditorCommand::ParseClick(bad, &action, &error)) << bad;
    for (const char* bad : {"1", "0:a", "21:a", "1.5:a", "a:b", "1:"})
        EXPECT_FALSE(EditorCommand::ParseMenu(bad, &action, &error)) << bad;
    for (const char* bad : {"min", "mid:5", ":5"})
        EXPECT_FALSE(EditorCommand::ParseType(bad, &action, &error)) << bad;
    EXPECT_NE(error.find("--type"), std::string::npos);
}

// The companion on its port, and options for the built module with a folder of the test's
// own for what the command writes.
class EditorCommandWithCompanion : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(companion.Ready());
        options.modulePath = ORV_BUNDLE_DIR;
    }

    CompanionProcess companion{ORV_COMPANION_EXE};
    TempFolder folder;
    EditorCommand::Options options;
};

TEST_F(EditorCommandWithCompanion, WithTheCompanionTheActionsSetTheParameters)
{
    options.pngPath = folder / "editor.png";
    options.actions = {Parsed(EditorCommand::ParseClick, "50,90"),
                       Parsed(EditorCommand::ParseMenu, "1:2"),
                       Parsed(EditorCommand::ParseType, "max:300000"),
                       Parsed(EditorCommand::ParseType, "min:1000")};
    std::ostringstream out, err;
    ASSERT_EQ(EditorCommand::Run(options, out, err), orv::apps::kExitSuccess) << err.str();
    const auto values = Values(out.str());
    const int tools = static_cast<int>(std::lround(values.at("NTools") * 100));
    ASSERT_GT(tools, 0);
    EXPECT_EQ(values.at("Par1"), 1.0);
    EXPECT_NEAR(values.at("Men1"), 0.01, 1e-6);
    EXPECT_NEAR(values.at("minfr") * kHz, 1000, 0.01);
    // Typed far above: the upper bound stops at the range maximum (at most half of the
    // host's sample rate).
    EXPECT_LE(values.at("maxfr") * kHz, 96000.01);
    EXPECT_GT(values.at("maxfr") * kHz, 1020);
    const auto size = PngSize(options.pngPath);
    EXPECT_EQ(size.first, 540u);
    EXPECT_EQ(size.second, static_cast<uint32_t>(40 * tools + 240));
}

TEST_F(EditorCommandWithCompanion, TheStateSavedWhenTheWindowClosesIsWhatTheNextWindowOpensWith)
{
    options.pngPath = folder / "first.png";
    options.saveStateFile = folder / "s.state";
    options.actions = {Parsed(EditorCommand::ParseClick, "50,90"),
                       Parsed(EditorCommand::ParseMenu, "1:2"),
                       Parsed(EditorCommand::ParseType, "min:1000")};
    std::ostringstream out, err;
    ASSERT_EQ(EditorCommand::Run(options, out, err), orv::apps::kExitSuccess) << err.str();
    const auto saved = Values(out.str());
    ASSERT_TRUE(std::filesystem::exists(options.saveStateFile));

    EditorCommand::Options again;
    again.modulePath = ORV_BUNDLE_DIR;
    again.pngPath = folder / "second.png";
    again.stateFile = options.saveStateFile;
    std::ostringstream out2, err2;
    ASSERT_EQ(EditorCommand::Run(again, out2, err2), orv::apps::kExitSuccess) << err2.str();
    const auto restored = Values(out2.str());
    for (const char* id : {"Par1", "Men1", "minfr", "maxfr"})
        EXPECT_EQ(restored.at(id), saved.at(id)) << id;
    EXPECT_NE(restored.at("Par1"), 0.0) << "the click's change was saved";

    again.stateFile = folder / "missing.state";
    std::ostringstream out3, err3;
    EXPECT_EQ(EditorCommand::Run(again, out3, err3), orv::apps::kExitUsage);
    EXPECT_NE(err3.str().find("orvendal-host editor: "), std::string::npos) << err3.str();
}

TEST(EditorCommand, WithoutTheCompanionTheWindowIsEmptyAndTheCompanionIsLaunched)
{
    TempFolder bin;
    const std::string program = bin / "orvendal-qv";
    std::ofstream(program) << "#!/bin/sh\n/usr/bin/touch '" << (bin / "launched") << "'\n";
    std::filesystem::permissions(program, std::filesystem::perms::owner_all);
    ScopedPath path(bin.Path());

    EditorCommand::Options options;
    options.modulePath = ORV_BUNDLE_DIR;
    options.pngPath = bin / "editor.png";
    std::ostringstream out, err;
    ASSERT_EQ(EditorCommand::Run(options, out, err), orv::apps::kExitSuccess) << err.str();
    EXPECT_EQ(Values(out.str()).at("NTools"), 0.0);
    EXPECT_EQ(PngSize(options.pngPath), std::make_pair(540u, 240u));
    for (int attempt = 0; attempt < 500 && !std::filesystem::exists(bin / "launched"); ++attempt)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    EXPECT_TRUE(std::filesystem::exists(bin / "launched"));

    // Without tool rows there is no range field to type into.
    options.actions.push_back(Parsed(EditorCommand::ParseType, "min:100"));
    std::ostringstream out2, err2;
    EXPECT_EQ(EditorCommand::Run(options, out2, err2), orv::apps::kExitUsage);
    EXPECT_NE(err2.str().find("no range row"), std::string::npos) << err2.str();
}

TEST(EditorCommand, APeerThatHoldsThePortButNeverAnswersWholeOpensTheEditorWithinFourSeconds)
{
    using orv::host::validator::FaultCompanion;
    TempFolder bin;
    const std::string program = bin / "orvendal-qv";
    std::ofstream(program) << "#!/bin/sh\n/usr/bin/touch '" << (bin / "launched") << "'\n";
    std::filesystem::permissions(program, std::filesystem::perms::owner_all);
    ScopedPath path(bin.Path());
    for (const auto behaviour :
         {FaultCompanion::Behaviour::kGoSilent, FaultCompanion::Behaviour::kDrip})
    {
        FaultCompanion peer;
        peer.SetBehaviour(behaviour);
        peer.SetAnswer(
            "{\"version\":\"2.0\",\"tools\":[\"Gain\"],\"presets\":[[]],\"rangeMax\":1}");
        ASSERT_TRUE(peer.Start());
        EditorCommand::Options options;
        options.modulePath = ORV_BUNDLE_DIR;
        options.pngPath = bin / "editor.png";
        std::ostringstream out, err;
        const auto start = std::chrono::steady_clock::now();
        ASSERT_EQ(EditorCommand::Run(options, out, err), orv::apps::kExitSuccess) << err.str();
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(4));
        EXPECT_EQ(Values(out.str()).at("NTools"), 0.0);
        EXPECT_EQ(PngSize(options.pngPath), std::make_pair(540u, 240u));
    }
    // Whatever holds the port would keep a launched companion from listening.
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    EXPECT_FALSE(std::filesystem::exists(bin / "launched"));
}

// Everything a command prints on its standard output (standard error dropped).
std::string Output(const std::string& command)
{
    std::string text;
    FILE* pipe = popen((command + " 2>/dev/null").c_str(), "r");
    if (!pipe) return text;
    std::array<char, 4096> buffer;
    for (size_t n; (n = fread(buffer.data(), 1, buffer.size(), pipe)) > 0;)
        text.append(buffer.data(), n);
    pclose(pipe);
    return text;
}

TEST(EditorCommand, TheProgramHoldsNoToolkitCodeAndStillOpensTheEditor)
{
    const std::string host = ORV_HOST_EXE;
    const std::string symbols = Output("nm -C '" + host + "'");
    ASSERT_GT(symbols.size(), 1000u) << "nm read no symbols from " << host;
    for (const char* toolkit : {"VSTGUI::", "cairo_xlib", "pango_"})
        EXPECT_EQ(symbols.find(toolkit), std::string::npos)
            << "orvendal-host holds " << toolkit << " symbols: the editor crosses the module "
            << "boundary as C++ again";

    TempFolder folder;
    ScopedPath path(folder.Path()); // no companion is found or launched
    const std::string png = folder / "editor.png";
    const std::string printed = Output("'" + host + "' editor --module '" + ORV_BUNDLE_DIR +
                                       "' --png '" + png + "' --click 10,10");
    EXPECT_EQ(Values(printed).count("NTools"), 1u) << printed;
    EXPECT_EQ(PngSize(png), std::make_pair(540u, 240u));
}

} // namespace
