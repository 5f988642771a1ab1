// The offline run end to end, as a host does it: the built module loaded with dlopen, its
// parameters component and host processor made and initialised by the reference host, the
// host's automation applying the plug-in's set requests when pumped, and the test
// companion on the other end of the link.

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <cstdlib>
#include <dlfcn.h>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "AAX_Errors.h"
#include "FaultCompanion.h"
#include "HostAutomationDelegate.h"
#include "HostProcessorDelegate.h"
#include "MemoryAudioSink.h"
#include "MemoryAudioSource.h"
#include "OfflineRenderDriver.h"
#include "PluginInstance.h"
#include "PluginModule.h"
#include "ReferenceHost.h"
#include "TempFolder.h"
#include "WavBytes.h"

// The libraries the module brings in (the editor's drawing stack) keep blocks from their
// static initialisation for the life of the process. The module is pinned so the leak
// checker can still name them at exit; they are not the offline run's.
extern "C" __attribute__((weak)) const char* __lsan_default_suppressions()
{
    return "leak:_dl_init\nleak:libfontconfig.so\n";
}

namespace
{

using namespace orv::host;
using orv::host::validator::FaultCompanion;
using orv::test::TempFolder;
using orv::test::WavBytes;

constexpr int64 kLength = 4800;
constexpr int32 kWindow = 1024;

std::vector<float> Tone(float frequency, float level)
{
    std::vector<float> samples(kLength);
    for (int64 i = 0; i < kLength; ++i)
        samples[i] = level * std::sin(6.2831853f * frequency * static_cast<float>(i) / 48000.0f);
    return samples;
}

std::vector<unsigned char> ReadFile(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

class OfflineEndToEnd : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ::setenv("HOME", home.Path().c_str(), 1);
        ::unsetenv("XDG_CONFIG_HOME");
        static void* pinned =
            dlopen(PluginModule::ModuleFilePath(ORV_BUNDLE_DIR).c_str(), RTLD_NOW | RTLD_NODELETE);
        ASSERT_NE(pinned, nullptr);
        std::string error;
        module = PluginModule::Load(ORV_BUNDLE_DIR, host, &error);
        ASSERT_TRUE(module) << error;
        instance =
            PluginInstance::Create(*module, host, {automation.get(), delegate.get()}, &error);
        ASSERT_TRUE(instance) << error;
        ASSERT_NE(instance->HostProcessor(), nullptr);
        automation->SetParameters(instance->Parameters());
    }
    void TearDown() override
    {
        companion.Stop();
        automation->SetParameters(nullptr);
        instance.reset();
        module.reset();
    }

    void Set(const char* id, double value)
    {
        instance->Parameters()->SetParameterNormalizedValue(id, value);
        automation->Pump();
    }
    double Comm() const
    {
        double value = -1;
        instance->Parameters()->GetParameterNormalizedValue("Comm", &value);
        return value;
    }
    void Run()
    {
        OfflineRenderDriver::Options options;
        options.windowSize = kWindow;
        options.pump = [this] { automation->Pump(); };
        sink = MemoryAudioSink();
        ASSERT_EQ(
            OfflineRenderDriver::Run(*instance->HostProcessor(), source, sink, options).result,
            kResultSuccess);
    }
    std::vector<float> Rendered() const { return sink.Channels().at(0); }
    std::string InterfacePath() const
    {
        return home.Path() + "/Documents/Orvendal_interface_0.wav";
    }
    void ExpectUnchangedWith(int32 code, const std::string& what)
    {
        EXPECT_NEAR(Comm(), code / 100.0, 1e-6) << what;
        EXPECT_EQ(Rendered(), input) << what;
    }

    TempFolder home;
    ReferenceHost host;
    std::vector<float> input = Tone(440.0f, 0.5f);
    MemoryAudioSource source{{input, Tone(660.0f, 0.25f)}};
    ACFPtr<HostAutomationDelegate> automation{new HostAutomationDelegate};
    ACFPtr<HostProcessorDelegate> delegate{new HostProcessorDelegate(source)};
    std::unique_ptr<PluginModule> module;
    std::unique_ptr<PluginInstance> instance;
    MemoryAudioSink sink;
    FaultCompanion companion;
};

TEST_F(OfflineEndToEnd, RendersTheCompanionsOutputSampleForSample)
{
    Set("NTools", 0.02);
    Set("Par1", 1.0);
    Set("Men1", 0.03);
    Set("Men2", 0.01);
    Set("chkfr", 1.0);
    Set("minfr", 0.1);
    Set("maxfr", 0.125);
    companion.SetGain(0.25f);
    ASSERT_TRUE(companion.Start());
    Run();

    ASSERT_EQ(companion.Requests().size(), 1u);
    EXPECT_EQ(companion.Requests()[0],
              "{request:\"process\", tools:[true,false], presets: [3,1],rangeLow: 19200, "
              "rangeHigh: 24000, input: \"" +
                  InterfacePath() + "\"}\n");
    const std::vector<float> processed = companion.LastOutput();
    ASSERT_EQ(processed.size(), static_cast<size_t>(kLength));
    EXPECT_EQ(processed[1000], 0.25f * input[1000]);
    EXPECT_EQ(Rendered(), processed);
    EXPECT_NEAR(Comm(), 0.05, 1e-7);
    // The set requests went through the host's automation, as a host applies them.
    EXPECT_GE(automation->Count(HostAutomationDelegate::EventKind::SetRequest, "Comm"), 1u);

    EXPECT_FALSE(std::filesystem::exists(InterfacePath()));

    // Rewritten in place without a word: the file's new time shows it was processed.
    companion.SetBehaviour(FaultCompanion::Behaviour::kRewriteInPlace);
    companion.SetGain(0.5f);
    Run();
    EXPECT_NEAR(Comm(), 0.05, 1e-7);
    EXPECT_EQ(Rendered(), companion.LastOutput());
    EXPECT_EQ(companion.LastOutput()[1000], 0.5f * input[1000]);

    // Closed without a word and the file untouched: nothing shows it was processed.
    companion.SetBehaviour(FaultCompanion::Behaviour::kCloseWithoutAnswer);
    Run();
    ExpectUnchangedWith(27, "untouched file");
    EXPECT_FALSE(std::filesystem::exists(InterfacePath()));
}

TEST_F(OfflineEndToEnd, EveryFailureAHostOrACompanionCanCauseRendersTheInput)
{
    Run();
    ExpectUnchangedWith(20, "nobody listening");

    companion.SetBehaviour(FaultCompanion::Behaviour::kOverwriteFile);
    ASSERT_TRUE(companion.Start());
    WavBytes full;
    full.Tag("RIFF").U32(0).Tag("WAVE").Chunk("JUNK", 4).Format(3, 1, 48000, 32);
    full.Chunk("LIST", 4).Tag("data").U32(kLength * 4).Floats(Tone(100.0f, 1.0f));
    const std::pair<size_t, int32> cuts[] = {
        {0, 47},  {5, 48},  {9, 49},  {13, 50}, {17, 51}, {21, 52}, {29, 54}, {33, 55},
        {35, 56}, {37, 57}, {41, 58}, {47, 59}, {49, 60}, {53, 61}, {57, 62}, {65, 63}};
    for (const auto& cut : cuts)
    {
        companion.SetFileBytes({full.Bytes().begin(), full.Bytes().begin() + cut.first});
        Run();
        ExpectUnchangedWith(cut.second, "header cut at " + std::to_string(cut.first));
    }
    WavBytes tooLong = WavBytes::Interface(Tone(100.0f, 1.0f), 48000);
    tooLong.Floats({0.5f});
    std::vector<unsigned char> longer = tooLong.Bytes();
    longer[40] = static_cast<unsigned char>(((kLength + 1) * 4) & 0xFF);
    longer[41] = static_cast<unsigned char>(((kLength + 1) * 4) >> 8);
    companion.SetFileBytes(longer);
    Run();
    ExpectUnchangedWith(14, "one sample longer");

    TempFolder tools;
    const std::string sox = "sox -q -n -r 48000 -c 1 ";
    const std::string synth = " synth " + std::to_string(kLength) + "s sine 440 >/dev/null 2>&1";
    ASSERT_EQ(std::system((sox + "-b 16 -e signed-integer " + (tools / "16.wav") + synth).c_str()),
              0);
    companion.SetFileBytes(ReadFile(tools / "16.wav"));
    Run();
    ExpectUnchangedWith(9, "16-bit file");

    // A 32-bit float file written by sox is taken as it is.
    ASSERT_EQ(
        std::system((sox + "-b 32 -e floating-point " + (tools / "float.wav") + synth).c_str()), 0);
    companion.SetFileBytes(ReadFile(tools / "float.wav"));
    Run();
    EXPECT_NEAR(Comm(), 0.05, 1e-7);
    EXPECT_NE(Rendered(), input);
    EXPECT_NEAR(Rendered()[12], std::sin(6.2831853f * 440.0f * 12 / 48000.0f), 1e-3);

    // Cut inside the data although the header announces it all: the slice where it ends
    // keeps what was read, everything after it is the input.
    std::vector<unsigned char> shortData = WavBytes::Interface(Tone(100.0f, 1.0f), 48000).Bytes();
    const size_t kept = kWindow + 10;
    shortData.resize(44 + kept * 4);
    companion.SetFileBytes(shortData);
    Run();
    EXPECT_NEAR(Comm(), 0.08, 1e-6);
    const std::vector<float> processed = Tone(100.0f, 1.0f);
    for (size_t i = 0; i < static_cast<size_t>(kLength); ++i)
        ASSERT_EQ(Rendered()[i], i < kept ? processed[i] : input[i]) << "sample " << i;

    // No usable documents folder: nothing recorded, nothing sent.
    const size_t requests = companion.Requests().size();
    ::setenv("HOME", "", 1);
    Run();
    ExpectUnchangedWith(24, "no documents folder");
    EXPECT_EQ(companion.Requests().size(), requests);
}

TEST_F(OfflineEndToEnd, ASelectionPastTheWavLimitFailsAtPreAnalyzeBeforeAByteIsWritten)
{
    ASSERT_TRUE(companion.Start());
    AAX_IACFHostProcessor& processor = *instance->HostProcessor();
    int64 start = 0;
    int64 end = 0;
    // Past 4 GiB of 32-bit samples after the 36 header bytes the sizes count.
    ASSERT_EQ(processor.InitOutputBounds(0, (0xFFFFFFFFll - 36) / 4 + 1, &start, &end),
              kResultSuccess);
    EXPECT_EQ(processor.PreAnalyze(1, kWindow), kResultSuccess);
    automation->Pump();
    EXPECT_NEAR(Comm(), 0.26, 1e-6);
    EXPECT_FALSE(std::filesystem::exists(InterfacePath()));
    EXPECT_TRUE(companion.Requests().empty());
}

TEST_F(OfflineEndToEnd, ACompanionSilentAfterProgressGives29AndTheInputWithinTheLimit)
{
    companion.SetBehaviour(FaultCompanion::Behaviour::kGoSilent);
    companion.SetAnswer("{\"progress\":0.100}\n{\"progress\":0.2");
    ASSERT_TRUE(companion.Start());
    const auto start = std::chrono::steady_clock::now();
    Run();
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    ExpectUnchangedWith(29, "silent after progress");
    EXPECT_GE(seconds, 30.0);
    EXPECT_LT(seconds, 35.0);
    EXPECT_FALSE(std::filesystem::exists(InterfacePath()));
}

} // namespace
