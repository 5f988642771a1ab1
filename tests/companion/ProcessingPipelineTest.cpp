#include "ProcessingPipeline.h"
#include "CompanionConstants.h"
#include "SignalTestSupport.h"
#include "TempFolder.h"
#include "WavFloatWriter.h"

#include <gtest/gtest.h>

#include <cstring>
#include <sstream>

namespace companion
{
namespace
{

const std::string kName = "Orvendal_interface_0.wav";

// The file as the plug-in writes it: the canonical header, then the float samples.
std::string pluginFile(const std::vector<float>& samples, uint32_t rate)
{
    const auto header = WavFloatWriter::header(rate, static_cast<uint32_t>(samples.size()));
    std::string bytes(header.begin(), header.end());
    bytes.append(reinterpret_cast<const char*>(samples.data()), samples.size() * 4);
    return bytes;
}

Request gainRequest(const std::string& path, int preset = 4)
{
    Request request;
    request.kind = RequestKind::Process;
    request.tools = {true};
    request.presets = {preset};
    request.rangeLow = 0;
    request.rangeHigh = 22050;
    request.input = path;
    return request;
}

struct Fixture
{
    std::ostringstream logText;
    Log log{logText, false};
    FileLockTable locks;
    ProcessingPipeline pipeline{locks, log};
};

TEST(ProcessingPipeline, ReplacesTheFileWithTheProcessedOneOfTheSameLength)
{
    Fixture f;
    test::TempFolder folder;
    const auto x = test::sine(440.0, 0.25, 44100.0, 100003);
    test::writeBytes(folder / kName, pluginFile(x, 44100));

    const auto outcome = f.pipeline.run(gainRequest((folder / kName).string()));
    ASSERT_TRUE(outcome.replaced) << outcome.message;

    const std::string bytes = test::readBytes(folder / kName);
    const auto header = WavFloatWriter::header(44100, 100003);
    ASSERT_EQ(bytes.size(), 44u + 4u * x.size());
    EXPECT_EQ(0, std::memcmp(bytes.data(), header.data(), header.size()));
    std::vector<float> y(x.size());
    std::memcpy(y.data(), bytes.data() + 44, 4 * y.size());
    for (size_t i = 0; i < x.size(); i += 101)
        ASSERT_NEAR(y[i], x[i] * std::pow(10.0, 6.0 / 20.0), 1e-6);
    EXPECT_EQ(folder.names(), std::vector<std::string>{kName});
}

TEST(ProcessingPipeline, ReadsOtherWavFormatsAndWritesFloat)
{
    Fixture f;
    test::TempFolder folder;
    const auto x = test::sine(440.0, 0.25, 48000.0, 48000);
    test::writeWav(folder / kName, x, 48000, SF_FORMAT_WAV | SF_FORMAT_PCM_24);
    const auto outcome = f.pipeline.run(gainRequest((folder / kName).string(), 1));
    ASSERT_TRUE(outcome.replaced) << outcome.message;
    SF_INFO info;
    const auto y = test::readWav(folder / kName, info);
    EXPECT_EQ(info.format, SF_FORMAT_WAV | SF_FORMAT_FLOAT);
    EXPECT_EQ(info.samplerate, 48000);
    ASSERT_EQ(y.size(), x.size());
    EXPECT_NEAR(y[1000], x[1000] * 0.5012, 1e-4);
}

TEST(ProcessingPipeline, LeavesFilesItMustNotProcessUntouched)
{
    Fixture f;
    test::TempFolder folder;
    const auto x = test::sine(440.0, 0.25, 48000.0, 4800);
    const std::string original = pluginFile(x, 48000);

    struct Case
    {
        std::string name;
        std::string bytes;
        Request request;
    };
    std::vector<Case> cases;
    auto good = [&](const std::string& name) { return gainRequest((folder / name).string()); };
    cases.push_back({"Orvendal_interface_1.wav", std::string("RIFF\x10\0\0\0WAVEjunkjunkjunk", 24),
                     good("Orvendal_interface_1.wav")});
    cases.push_back(
        {"Orvendal_interface_2.wav", original.substr(0, 30), good("Orvendal_interface_2.wav")});
    cases.push_back({"Orvendal_interface_3.wav", "", good("Orvendal_interface_3.wav")});
    Request badPreset = good("Orvendal_interface_4.wav");
    badPreset.presets = {7};
    cases.push_back({"Orvendal_interface_4.wav", original, badPreset});
    cases.push_back({"notes.wav", original, good("notes.wav")});

    for (const Case& c : cases)
    {
        test::writeBytes(folder / c.name, c.bytes);
        const auto outcome = f.pipeline.run(c.request);
        EXPECT_FALSE(outcome.replaced) << c.name;
        EXPECT_NE(outcome.message.find("left untouched"), std::string::npos) << outcome.message;
        EXPECT_NE(outcome.message.find(outcome.error), std::string::npos) << outcome.error;
        EXPECT_FALSE(outcome.error.empty()) << c.name;
        EXPECT_EQ(test::readBytes(folder / c.name), c.bytes) << c.name;
    }

    // Stereo, AIFF and far too high a sample rate: valid audio, but not interface files.
    test::writeWav(folder / "Orvendal_interface_6.wav", std::vector<float>(2000, 0.1f), 48000,
                   SF_FORMAT_WAV | SF_FORMAT_FLOAT, 2);
    test::writeWav(folder / "Orvendal_interface_9.wav", x, 2000000000);
    test::writeWav(folder / "Orvendal_interface_7.wav", x, 48000, SF_FORMAT_AIFF | SF_FORMAT_FLOAT);
    for (const char* name :
         {"Orvendal_interface_6.wav", "Orvendal_interface_7.wav", "Orvendal_interface_9.wav"})
    {
        const std::string before = test::readBytes(folder / name);
        ASSERT_GT(before.size(), 44u) << name;
        EXPECT_FALSE(f.pipeline.run(good(name)).replaced) << name;
        EXPECT_EQ(test::readBytes(folder / name), before) << name;
    }

    // A symbolic link to a valid file: neither the link nor its target changes.
    test::writeBytes(folder / "real.wav", original);
    std::filesystem::create_symlink(folder / "real.wav", folder / "Orvendal_interface_8.wav");
    EXPECT_FALSE(f.pipeline.run(good("Orvendal_interface_8.wav")).replaced);
    EXPECT_EQ(test::readBytes(folder / "real.wav"), original);
    EXPECT_TRUE(std::filesystem::is_symlink(folder / "Orvendal_interface_8.wav"));

    // No temporary file is left behind by any of them.
    for (const auto& name : folder.names())
        EXPECT_NE(name.front(), '.') << name;
}

TEST(ProcessingPipeline, NoToolOrNoSamplesLeaveTheFileAsItIsWithoutAFailure)
{
    Fixture f;
    test::TempFolder folder;
    const std::string original = pluginFile(test::sine(440.0, 0.25, 48000.0, 4800), 48000);
    test::writeBytes(folder / kName, original);
    Request noTool = gainRequest((folder / kName).string());
    noTool.tools = {false};
    const auto untouched = f.pipeline.run(noTool);
    EXPECT_FALSE(untouched.replaced);
    EXPECT_EQ(untouched.error, "") << untouched.message;
    EXPECT_EQ(test::readBytes(folder / kName), original);

    // An empty selection: an empty file is its own result.
    const std::string empty = pluginFile({}, 48000);
    test::writeBytes(folder / kName, empty);
    const auto nothing = f.pipeline.run(gainRequest((folder / kName).string()));
    EXPECT_FALSE(nothing.replaced);
    EXPECT_EQ(nothing.error, "") << nothing.message;
    EXPECT_EQ(test::readBytes(folder / kName), empty);
    EXPECT_EQ(folder.names(), std::vector<std::string>{kName});
}

TEST(ProcessingPipeline, ToldToStopLeavesTheFileAsItWasAndSaysSo)
{
    Fixture f;
    test::TempFolder folder;
    const std::string original = pluginFile(test::sine(440.0, 0.25, 44100.0, 100003), 44100);
    test::writeBytes(folder / kName, original);
    const std::atomic<bool> stop{true};
    const auto outcome = f.pipeline.run(gainRequest((folder / kName).string()), &stop);
    EXPECT_FALSE(outcome.replaced);
    EXPECT_EQ(outcome.error, kStoppedReason);
    EXPECT_EQ(test::readBytes(folder / kName), original);
    EXPECT_EQ(folder.names(), std::vector<std::string>{kName});
}

TEST(ProcessingPipeline, ClearsWhatADeadCompanionLeftInTheFolder)
{
    Fixture f;
    test::TempFolder folder;
    test::writeBytes(folder / kName, pluginFile(test::sine(440.0, 0.25, 44100.0, 1000), 44100));
    test::writeBytes(folder / ".Orvendal_interface_0.wav.tmp-77-0", "half a file");
    EXPECT_TRUE(f.pipeline.run(gainRequest((folder / kName).string())).replaced);
    EXPECT_EQ(folder.names(), std::vector<std::string>{kName});
    EXPECT_NE(f.logText.str().find(".Orvendal_interface_0.wav.tmp-77-0"), std::string::npos);
}

} // namespace
} // namespace companion
