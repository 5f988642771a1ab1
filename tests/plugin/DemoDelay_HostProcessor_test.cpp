#include "DemoDelay_HostProcessor.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>
#include <fcntl.h>
#include <sys/stat.h>

#include "AAX_CHostServices.h"
#include "AAX_Errors.h"
#include "CompanionEndpoint.h"
#include "FaultCompanion.h"
#include "ForeignListener.h"
#include "HostProcessorDelegate.h"
#include "HostedParameters.h"
#include "InterfaceFileFormat.h"
#include "MemoryAudioSink.h"
#include "MemoryAudioSource.h"
#include "OfflineRenderDriver.h"
#include "OfflineStatus.h"
#include "ReferenceHost.h"
#include "TempFolder.h"
#include "WavBytes.h"

namespace
{

using orv::host::HostProcessorDelegate;
using orv::host::MemoryAudioSink;
using orv::host::MemoryAudioSource;
using orv::host::OfflineRenderDriver;
using orv::host::ReferenceHost;
using orv::host::validator::FaultCompanion;
using orv::host::validator::ForeignListener;
using orv::host::validator::OtherUser;
using orv::test::HostedParameters;
using orv::test::TempFolder;
using orv::test::WavBytes;

constexpr int64 kLength = 1000;
constexpr int32 kWindow = 256;

std::vector<float> Ramp(int64 length, float scale)
{
    std::vector<float> samples(static_cast<size_t>(length));
    for (size_t i = 0; i < samples.size(); ++i)
        samples[i] = scale * std::sin(0.01f * static_cast<float>(i));
    return samples;
}

// One processor in the reference host, with a documents folder of its own, the plug-in's
// parameters and the loopback companion.
class HostProcessorRun : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ::setenv("HOME", home.Path().c_str(), 1);
        ::unsetenv("XDG_CONFIG_HOME");
        host.ContextObject().Offer(delegate.get());
        processor = new DemoDelay_HostProcessor;
        hostFacing = processor;
        ASSERT_EQ(hostFacing->Initialize(host.Context()), kResultSuccess);
    }
    void TearDown() override
    {
        companion.Stop();
        hostFacing->Uninitialize();
        hostFacing.Clear();
    }

    OfflineRenderDriver::Result Run(int32 window = kWindow, bool inPlace = false)
    {
        OfflineRenderDriver::Options options;
        options.windowSize = window;
        options.inPlace = inPlace;
        sink = MemoryAudioSink();
        return OfflineRenderDriver::Run(*hostFacing.get(), source, sink, options);
    }
    std::vector<float> Rendered() const { return sink.Channels().at(0); }
    // The status codes published through "Comm", in order (the parameter keeps single
    // precision, so the values are compared as codes).
    std::vector<int32> CommCodes() const
    {
        std::vector<int32> codes;
        for (double value : parameters.Requests("Comm"))
            codes.push_back(static_cast<int32>(std::lround(value * 100.0)));
        return codes;
    }
    std::string InterfacePath() const
    {
        return home.Path() + "/Documents/Orvendal_interface_0.wav";
    }
    // The run ended on code with the selection rendered unchanged.
    void ExpectPassThroughWith(int32 code)
    {
        EXPECT_EQ(processor->StatusCode(), code);
        ASSERT_FALSE(CommCodes().empty());
        EXPECT_EQ(CommCodes().back(), code);
        EXPECT_EQ(Rendered(), input);
    }

    TempFolder home;
    ReferenceHost host;
    HostedParameters parameters{host};
    std::vector<float> input = Ramp(kLength, 0.5f);
    MemoryAudioSource source{{input, Ramp(kLength, 0.25f)}};
    ACFPtr<HostProcessorDelegate> delegate{new HostProcessorDelegate(source)};
    MemoryAudioSink sink;
    DemoDelay_HostProcessor* processor = nullptr;
    ACFPtr<AAX_IACFHostProcessor> hostFacing;
    FaultCompanion companion;
};

TEST_F(HostProcessorRun, RendersWhatTheCompanionMadeOfTheSelection)
{
    parameters.Set("NTools", 0.02);
    parameters.Set("Par1", 0.0);
    parameters.Set("Par2", 1.0);
    parameters.Set("Men2", 0.03);
    companion.SetGain(0.5f);
    ASSERT_TRUE(companion.Start());
    const OfflineRenderDriver::Result run = Run();
    EXPECT_EQ(run.result, kResultSuccess);
    EXPECT_EQ(run.preAnalyzeResult, kResultSuccess);

    ASSERT_EQ(companion.Requests().size(), 1u);
    EXPECT_EQ(companion.Requests()[0],
              "{request:\"process\", tools:[false,true], presets: [0,3],rangeLow: 0, rangeHigh: "
              "24000, input: \"" +
                  InterfacePath() + "\"}\n");
    const std::vector<float> processed = companion.LastOutput();
    ASSERT_EQ(processed.size(), static_cast<size_t>(kLength));
    EXPECT_EQ(processed[100], 0.5f * input[100]);
    EXPECT_EQ(Rendered(), processed);
    // Only the first channel is processed; the host's zeroed buffer stays in the second.
    EXPECT_EQ(sink.Channels().at(1), std::vector<float>(kLength, 0.0f));
    EXPECT_EQ(CommCodes(), std::vector<int32>{5});
    EXPECT_FLOAT_EQ(static_cast<float>(parameters.Value("Comm")), 0.05f);
    EXPECT_EQ(processor->ToolCount(), 2);
    // Read back and gone; the claim's lock file stays for the next pass.
    EXPECT_FALSE(std::filesystem::exists(InterfacePath()));
    EXPECT_TRUE(std::filesystem::exists(home.Path() + "/Documents/.Orvendal_interface_0.lock"));
}

TEST_F(HostProcessorRun, RendersTheSelectionUnchangedWhenTheCompanionFails)
{
    // Nobody listening.
    Run();
    ExpectPassThroughWith(kStatusConnect);
    EXPECT_EQ(CommCodes(), (std::vector<int32>{5, 20}));

    // A companion that closes without a word or a touch of the file did not process it.
    companion.SetBehaviour(FaultCompanion::Behaviour::kCloseWithoutAnswer);
    ASSERT_TRUE(companion.Start());
    Run();
    ExpectPassThroughWith(kStatusNotProcessed);
    EXPECT_EQ(companion.Requests().size(), 1u);
    EXPECT_FALSE(std::filesystem::exists(InterfacePath()));

    // One that rewrites it in place without a word did.
    companion.SetBehaviour(FaultCompanion::Behaviour::kRewriteInPlace);
    companion.SetGain(0.5f);
    Run();
    EXPECT_EQ(processor->StatusCode(), kStatusUnderWay);
    EXPECT_EQ(Rendered(), companion.LastOutput());
    EXPECT_EQ(companion.LastOutput()[100], 0.5f * input[100]);
}

TEST_F(HostProcessorRun, AnotherUsersListenerOnThePortIsSentNothing)
{
    if (!OtherUser::Available()) GTEST_SKIP() << "only root can become another user";
    ForeignListener foreign(kCompanionPort);
    ASSERT_EQ(foreign.Port(), kCompanionPort);
    Run();
    EXPECT_EQ(foreign.Stop(), 0) << "bytes of the request reached another user";
    ExpectPassThroughWith(kStatusForeignListener);
    EXPECT_FALSE(std::filesystem::exists(InterfacePath()));
}

TEST_F(HostProcessorRun, TheInterfaceFileIsPrivateAndSoIsADocumentsFolderItMakes)
{
    // Seen from the companion: the file's mode while the request is under way.
    ::umask(022);
    companion.SetBehaviour(FaultCompanion::Behaviour::kCloseWithoutAnswer);
    ASSERT_TRUE(companion.Start());
    Run();
    const std::vector<unsigned char> sent = companion.LastInputBytes();
    EXPECT_FALSE(sent.empty());
    struct stat folder
    {
    };
    ASSERT_EQ(::stat((home.Path() + "/Documents").c_str(), &folder), 0);
    EXPECT_EQ(folder.st_mode & 07777, 0700u);
    EXPECT_EQ(companion.LastInputMode() & 07777, 0600u);
    struct stat lock
    {
    };
    ASSERT_EQ(::stat((home.Path() + "/Documents/.Orvendal_interface_0.lock").c_str(), &lock), 0);
    EXPECT_EQ(lock.st_mode & 07777, 0600u);

    // A file left wider at the path by something else is narrowed before the selection goes in.
    companion.ClearRecord();
    ASSERT_EQ(::close(::open(InterfacePath().c_str(), O_CREAT | O_WRONLY, 0666)), 0);
    ASSERT_EQ(::chmod(InterfacePath().c_str(), 0666), 0);
    Run();
    EXPECT_EQ(companion.LastInputMode() & 07777, 0600u);
}

TEST_F(HostProcessorRun, RefusesProcessedFilesThatDoNotMatchTheSelection)
{
    companion.SetBehaviour(FaultCompanion::Behaviour::kOverwriteFile);
    ASSERT_TRUE(companion.Start());
    const std::vector<float> processed = Ramp(kLength, -1.0f);

    auto wavWith = [&](uint16_t bits, uint32_t rate, int64 samples)
    {
        WavBytes wav;
        wav.Tag("RIFF").U32(0).Tag("WAVE").Format(bits == 16 ? 1 : 3, 1, rate, bits);
        wav.Tag("data").U32(static_cast<uint32_t>(samples * bits / 8)).Floats(Ramp(samples, 1.0f));
        return wav.Bytes();
    };
    const std::pair<std::vector<unsigned char>, int32> refused[] = {
        {wavWith(32, 44100, kLength), kStatusFormat},
        {wavWith(32, 48000, kLength - 1), kStatusSampleCount},
        {{'R', 'I', 'F', 'X'}, kStatusFormat},
        {{}, kStatusReadFirstTag}};
    for (const auto& file : refused)
    {
        companion.SetFileBytes(file.first);
        Run();
        ExpectPassThroughWith(file.second);
    }

    // After all that, a good file renders again: every run starts afresh.
    companion.SetFileBytes(WavBytes::Interface(processed, 48000).Bytes());
    Run();
    EXPECT_EQ(processor->StatusCode(), kStatusUnderWay);
    EXPECT_EQ(Rendered(), processed);
}

TEST_F(HostProcessorRun, WithoutAUsableDocumentsFolderNothingIsSentAndTheTraceSaysWhy)
{
    AAX_CHostServices::Set(host.Context());
    ASSERT_TRUE(companion.Start());
    const std::string missingHome = this->home / "gone/home";
    std::ofstream(this->home / "blocker") << "a file where a folder should be";
    std::filesystem::create_directories(this->home / "config");
    std::ofstream(this->home / "config/user-dirs.dirs") << "XDG_DOCUMENTS_DIR=\"$HOME/blocker\"\n";
    const std::pair<std::string, std::string> cases[] = {
        {"", "no documents folder: HOME names no absolute folder"},
        {"relative/home", "no documents folder: HOME names no absolute folder"},
        // Neither HOME nor its parents are made, only a documents folder inside an existing one.
        {missingHome,
         "the documents folder " + missingHome + "/Documents: No such file or directory"},
        {this->home.Path(),
         "the documents folder " + (this->home / "blocker") + ": Not a directory"},
    };
    for (const auto& [home, reason] : cases)
    {
        ::setenv("HOME", home.c_str(), 1);
        // Only the last case names a documents folder of its own choosing.
        if (home == this->home.Path())
            ::setenv("XDG_CONFIG_HOME", (this->home / "config").c_str(), 1);
        Run();
        // The first failure's code stands: the file not completed after it is no news.
        ExpectPassThroughWith(kStatusCreateFile);
        EXPECT_TRUE(processor->InterfaceFilePath().empty());
        EXPECT_EQ(host.Services().TraceLog().back().text,
                  "the interface file could not be created: " + reason);
    }
    AAX_CHostServices::Set(nullptr);
    EXPECT_FALSE(std::filesystem::exists(this->home / "gone"));
    EXPECT_EQ(CommCodes(), (std::vector<int32>{24, 24, 5, 24, 5, 24}));
    EXPECT_TRUE(companion.Requests().empty());
}

TEST_F(HostProcessorRun, FindsTheXdgDocumentsFolderEvenWithASpaceInItsName)
{
    companion.SetGain(2.0f);
    ASSERT_TRUE(companion.Start());
    ::setenv("XDG_CONFIG_HOME", (home / "config").c_str(), 1);
    std::filesystem::create_directories(home / "config");
    std::ofstream(home / "config/user-dirs.dirs")
        << "# written by xdg-user-dirs-update\nXDG_DOCUMENTS_DIR=\"$HOME/My Docs\"\n";
    Run();
    const std::string path = home.Path() + "/My Docs/Orvendal_interface_0.wav";
    EXPECT_EQ(processor->InterfaceFilePath(), path);
    EXPECT_EQ(companion.LastInputPath(), path);
    EXPECT_EQ(processor->StatusCode(), kStatusUnderWay);
    EXPECT_EQ(Rendered(), companion.LastOutput());
}

TEST_F(HostProcessorRun, AnEmptySelectionMakesAnEmptyFile)
{
    MemoryAudioSource empty{{std::vector<float>{}}};
    companion.SetBehaviour(FaultCompanion::Behaviour::kCloseWithoutAnswer);
    ASSERT_TRUE(companion.Start());
    OfflineRenderDriver::Options options;
    EXPECT_EQ(OfflineRenderDriver::Run(*hostFacing.get(), empty, sink, options).result,
              kResultSuccess);
    EXPECT_EQ(processor->StatusCode(), kStatusNotProcessed);
    EXPECT_EQ(companion.Requests().size(), 1u);
    EXPECT_EQ(companion.LastInputBytes(), WavBytes::Interface({}, 48000).Bytes());
}

TEST_F(HostProcessorRun, RenderWithoutAnalysisCopiesTheInputAndPublishesNothing)
{
    const float in[4] = {1, 2, 3, 4};
    float out[4] = {0, 0, 0, 0};
    float other[4] = {9, 9, 9, 9};
    const float* const ins[1] = {in};
    float* const outs[1] = {out};
    float* const twoOuts[2] = {other, other};
    int32 window = 4;
    EXPECT_EQ(hostFacing->PreRender(1, 1, 4), kResultSuccess);
    EXPECT_EQ(hostFacing->RenderAudio(ins, 1, twoOuts, 2, &window), kResultRenderArgument);
    EXPECT_EQ(other[0], 9.0f);
    EXPECT_EQ(hostFacing->RenderAudio(ins, 1, outs, 1, nullptr), kResultRenderArgument);
    EXPECT_EQ(hostFacing->RenderAudio(ins, 1, outs, 1, &window), kResultSuccess);
    EXPECT_EQ(out[3], 4.0f);
    window = -3;
    out[0] = 0;
    EXPECT_EQ(hostFacing->RenderAudio(ins, 1, outs, 1, &window), kResultSuccess);
    EXPECT_EQ(out[0], 0.0f);
    EXPECT_EQ(hostFacing->PostRender(), kResultSuccess);
    EXPECT_EQ(parameters.RequestCount(), 0u);
    EXPECT_TRUE(companion.Requests().empty());
}

TEST_F(HostProcessorRun, ASelectionTooLongForTheFileStopsRecordingBeforeTheSizesWrap)
{
    EXPECT_EQ(hostFacing->PreAnalyze(1, kWindow), kResultSuccess);
    const std::vector<float> window(kWindow, 0.25f);
    const float* const ins[1] = {window.data()};
    // A negative window records nothing rather than taking samples off the count.
    int32 count = -5;
    EXPECT_EQ(hostFacing->AnalyzeAudio(ins, 1, &count), kResultSuccess);
    EXPECT_EQ(processor->SamplesWritten(), 0);
    count = kWindow;
    EXPECT_EQ(hostFacing->AnalyzeAudio(ins, 1, &count), kResultSuccess);
    // The host claims a window that would take the data past 4 GiB; it is refused before
    // a byte of it is read.
    int32 huge = 1073741814 - kWindow + 1;
    EXPECT_EQ(hostFacing->AnalyzeAudio(ins, 1, &huge), kResultSuccess);
    EXPECT_EQ(processor->StatusCode(), kStatusAppendSlice);
    EXPECT_FALSE(processor->IsReady());
    EXPECT_EQ(processor->SamplesWritten(), kWindow);
    EXPECT_EQ(hostFacing->PostAnalyze(), kResultSuccess);
    // The part written is of no use to anyone: it went at once.
    EXPECT_FALSE(std::filesystem::exists(InterfacePath()));
    EXPECT_EQ(CommCodes().back(), 26);
}

// Drives a processor of its own through both passes over samples, one window for all.
class SecondInstance
{
public:
    explicit SecondInstance(ReferenceHost& host)
    {
        facing = processor = new DemoDelay_HostProcessor;
        facing->Initialize(host.Context());
    }
    ~SecondInstance() { facing->Uninitialize(); }
    void Analyse(const std::vector<float>& samples)
    {
        const float* const ins[1] = {samples.data()};
        int32 count = static_cast<int32>(samples.size());
        facing->PreAnalyze(1, count);
        facing->AnalyzeAudio(ins, 1, &count);
        facing->PostAnalyze();
    }
    std::vector<float> Render(const std::vector<float>& samples)
    {
        std::vector<float> out(samples.size());
        const float* const ins[1] = {samples.data()};
        float* const outs[1] = {out.data()};
        int32 count = static_cast<int32>(samples.size());
        facing->PreRender(1, 1, count);
        facing->RenderAudio(ins, 1, outs, 1, &count);
        facing->PostRender();
        return out;
    }

    DemoDelay_HostProcessor* processor = nullptr;
    ACFPtr<AAX_IACFHostProcessor> facing;
};

TEST_F(HostProcessorRun, InstancesRenderingAtOnceEachClaimAFileOfTheirOwn)
{
    companion.SetGain(0.5f);
    ASSERT_TRUE(companion.Start());
    const std::vector<float> otherInput = Ramp(kLength, -0.75f);
    SecondInstance first(host);
    SecondInstance second(host);

    // Both analyse before either renders, as a host rendering two tracks does.
    first.Analyse(input);
    second.Analyse(otherInput);
    EXPECT_EQ(first.processor->InterfaceFileIndex(), 0);
    EXPECT_EQ(second.processor->InterfaceFileIndex(), 1);
    EXPECT_EQ(second.processor->InterfaceFilePath(),
              home.Path() + "/Documents/Orvendal_interface_1.wav");
    // The second renders first: its own samples processed, whatever the first one wrote.
    const std::vector<float> secondRendered = second.Render(otherInput);
    EXPECT_EQ(second.processor->StatusCode(), kStatusUnderWay);
    EXPECT_EQ(secondRendered, companion.LastOutput());
    EXPECT_EQ(secondRendered[10], 0.5f * otherInput[10]);
    // Its render pass is over, so it holds nothing any more.
    EXPECT_EQ(second.processor->InterfaceFileIndex(), -1);
    const std::vector<float> firstRendered = first.Render(input);
    EXPECT_EQ(first.processor->StatusCode(), kStatusUnderWay);
    EXPECT_EQ(firstRendered, companion.LastOutput());
    EXPECT_EQ(firstRendered[10], 0.5f * input[10]);
    EXPECT_EQ(companion.LastInputPath(), InterfacePath());

    // A claim lasts from the analysis to the end of the render pass, or until the instance
    // is uninitialised, whichever comes first.
    hostFacing->PreAnalyze(1, kWindow);
    EXPECT_EQ(processor->InterfaceFileIndex(), 0);
    SecondInstance third(host);
    third.facing->PreAnalyze(1, kWindow);
    EXPECT_EQ(third.processor->InterfaceFileIndex(), 1);
    hostFacing->Uninitialize();
    EXPECT_EQ(processor->InterfaceFileIndex(), -1);
    third.facing->PreAnalyze(1, kWindow);
    EXPECT_EQ(third.processor->InterfaceFileIndex(), 0);
}

TEST_F(HostProcessorRun, AHomeWrittenWithSlashesOrDotsStillGivesAPlainPath)
{
    companion.SetGain(2.0f);
    ASSERT_TRUE(companion.Start());
    const std::string expected =
        std::filesystem::canonical(home.Path()).string() + "/Documents/Orvendal_interface_0.wav";
    for (const std::string& written :
         {home.Path() + "/", home.Path() + "//", home.Path() + "/./", home.Path() + "/x/../"})
    {
        std::filesystem::create_directories(home / "x");
        ::setenv("HOME", written.c_str(), 1);
        Run();
        EXPECT_EQ(companion.LastInputPath(), expected) << written;
        EXPECT_EQ(processor->StatusCode(), kStatusUnderWay) << written;
        EXPECT_EQ(Rendered(), companion.LastOutput()) << written;
    }

    // A documents folder that is a link to another folder: the file goes where it leads.
    std::filesystem::create_directories(home / "real-docs");
    std::filesystem::remove_all(home / "Documents");
    std::filesystem::create_directory_symlink(home / "real-docs", home / "Documents");
    ::setenv("HOME", home.Path().c_str(), 1);
    Run();
    EXPECT_EQ(companion.LastInputPath(), std::filesystem::canonical(home.Path()).string() +
                                             "/real-docs/Orvendal_interface_0.wav");
    EXPECT_EQ(processor->StatusCode(), kStatusUnderWay);
    EXPECT_EQ(Rendered(), companion.LastOutput());
}

TEST_F(HostProcessorRun, ACompanionThatSaysItFailedGivesCode22AndItsReasonInTheTrace)
{
    AAX_CHostServices::Set(host.Context());
    companion.SetBehaviour(FaultCompanion::Behaviour::kAnswerFailure);
    companion.SetAnswer("no space left on the device");
    ASSERT_TRUE(companion.Start());
    Run();
    AAX_CHostServices::Set(nullptr);
    ExpectPassThroughWith(kStatusCompanionFailed);
    EXPECT_EQ(CommCodes(), (std::vector<int32>{5, 22}));
    bool traced = false;
    for (const auto& message : host.Services().TraceLog())
        traced = traced || message.text ==
                               "the companion could not process the file: no space left on the "
                               "device";
    EXPECT_TRUE(traced);

    // Another text proves nothing by itself: the file is untouched, so nothing was done.
    companion.SetBehaviour(FaultCompanion::Behaviour::kAnswerParameters);
    companion.SetAnswer("{\"done\":true}\n");
    Run();
    ExpectPassThroughWith(kStatusNotProcessed);
    // An error line decides wherever it stands, even after a report.
    companion.SetAnswer("{\"report\":\"Gain +3 dB: done\"}\n{\"error\":\"disk full\"}\n");
    Run();
    ExpectPassThroughWith(kStatusCompanionFailed);
    EXPECT_FALSE(std::filesystem::exists(InterfacePath()));
}

TEST_F(HostProcessorRun, AReportLineProvesTheFileProcessedAndGoesToTheTrace)
{
    AAX_CHostServices::Set(host.Context());
    companion.SetBehaviour(FaultCompanion::Behaviour::kAnswerParameters);
    companion.SetAnswer("{\"report\":\"no tool is switched on, left as it was\"}\n");
    ASSERT_TRUE(companion.Start());
    Run();
    AAX_CHostServices::Set(nullptr);
    EXPECT_EQ(processor->StatusCode(), kStatusUnderWay);
    EXPECT_EQ(Rendered(), input);
    ASSERT_FALSE(host.Services().TraceLog().empty());
    EXPECT_EQ(host.Services().TraceLog().back().text,
              "the companion processed the file: no tool is switched on, left as it was");
}

TEST_F(HostProcessorRun, RenderingInPlaceGivesTheFileUpToAFailureAndTheInputAfterIt)
{
    companion.SetGain(0.5f);
    ASSERT_TRUE(companion.Start());
    Run(kWindow, true);
    EXPECT_EQ(processor->StatusCode(), kStatusUnderWay);
    EXPECT_EQ(Rendered(), companion.LastOutput());

    // A NaN inside the third window: the file's samples before it, the input from it on.
    constexpr int64 kPoison = 2 * kWindow + 17;
    companion.SetBehaviour(FaultCompanion::Behaviour::kPoisonSamples);
    companion.SetPoisonedSamples({kPoison});
    for (int32 window : {kWindow, 7, static_cast<int32>(kLength)})
    {
        Run(window, true);
        EXPECT_EQ(processor->StatusCode(), kStatusSliceRead) << window;
        const std::vector<float> rendered = Rendered();
        const std::vector<float> processed = companion.LastOutput();
        ASSERT_EQ(rendered.size(), input.size());
        for (int64 i = 0; i < kLength; ++i)
            ASSERT_EQ(rendered[i], i < kPoison ? processed[i] : input[i])
                << "window " << window << " sample " << i;
    }
}

TEST_F(HostProcessorRun, ARefusedWindowStillTakesItsSamplesFromTheFile)
{
    companion.SetGain(0.5f);
    ASSERT_TRUE(companion.Start());
    const float* const ins[1] = {input.data()};
    int32 count = static_cast<int32>(kLength);
    hostFacing->PreAnalyze(1, count);
    hostFacing->AnalyzeAudio(ins, 1, &count);
    hostFacing->PostAnalyze();
    hostFacing->PreRender(1, 1, kWindow);
    const std::vector<float> processed = companion.LastOutput();
    ASSERT_EQ(processed.size(), static_cast<size_t>(kLength));

    std::vector<float> out(kWindow, 0.0f);
    std::vector<float> spare(kWindow, 7.0f);
    float* const outs[2] = {out.data(), spare.data()};
    const float* const inWindow[1] = {input.data()};
    int32 window = kWindow;
    // One input channel and two outputs: refused and nothing written, but the window passed.
    EXPECT_EQ(hostFacing->RenderAudio(inWindow, 1, outs, 2, &window), kResultRenderArgument);
    EXPECT_EQ(out, std::vector<float>(kWindow, 0.0f));
    EXPECT_EQ(spare, std::vector<float>(kWindow, 7.0f));
    // No buffers at all: refused the same way.
    EXPECT_EQ(hostFacing->RenderAudio(nullptr, 1, nullptr, 1, &window), kResultRenderArgument);
    // The next window is the file's third.
    const float* const third[1] = {input.data() + 2 * kWindow};
    EXPECT_EQ(hostFacing->RenderAudio(third, 1, outs, 1, &window), kResultSuccess);
    EXPECT_EQ(out,
              std::vector<float>(processed.begin() + 2 * kWindow, processed.begin() + 3 * kWindow));
    EXPECT_EQ(processor->StatusCode(), kStatusUnderWay);
    hostFacing->PostRender();
}

TEST_F(HostProcessorRun, ALinkAtTheInterfacePathIsReplacedAndItsTargetLeftAlone)
{
    companion.SetGain(0.5f);
    ASSERT_TRUE(companion.Start());
    std::filesystem::create_directories(home / "Documents");
    const std::string target = home / "precious.txt";
    std::ofstream(target) << "not audio";
    std::filesystem::create_symlink(target, InterfacePath());
    Run();
    EXPECT_EQ(processor->StatusCode(), kStatusUnderWay);
    EXPECT_EQ(Rendered(), companion.LastOutput());
    EXPECT_FALSE(std::filesystem::is_symlink(InterfacePath()));
    std::ifstream kept(target);
    std::string text;
    std::getline(kept, text);
    EXPECT_EQ(text, "not audio");
}

} // namespace

namespace
{

TEST_F(HostProcessorRun, AReadOnlyDocumentsFolderIs24WithTheSystemsReason)
{
    const std::string documents = home / "Documents";
    std::filesystem::create_directories(documents);
    // Permissions bind no privileged user: there a read-only file system stands in.
    const bool privileged = ::geteuid() == 0;
    const bool readOnly =
        privileged ? ::mount("tmpfs", documents.c_str(), "tmpfs", MS_RDONLY, "size=64k") == 0
                   : ::chmod(documents.c_str(), 0555) == 0;
    if (!readOnly) GTEST_SKIP() << "cannot make a read-only folder here";
    AAX_CHostServices::Set(host.Context());
    ASSERT_TRUE(companion.Start());
    Run();
    AAX_CHostServices::Set(nullptr);
    if (privileged)
        ::umount2(documents.c_str(), MNT_DETACH);
    else
        ::chmod(documents.c_str(), 0755);
    ExpectPassThroughWith(kStatusCreateFile);
    EXPECT_EQ(host.Services().TraceLog().back().text,
              "the interface file could not be created: the documents folder " + documents + ": " +
                  (privileged ? "Read-only file system" : "Permission denied"));
    EXPECT_TRUE(companion.Requests().empty());
}

TEST_F(HostProcessorRun, ASelectionPastTheFileLimitFailsBeforeAByteIsWritten)
{
    AAX_CHostServices::Set(host.Context());
    ASSERT_TRUE(companion.Start());
    int64 start = 0;
    int64 end = 0;
    const int64 huge = InterfaceFileFormat::kMaxSamples + 1;
    ASSERT_EQ(hostFacing->InitOutputBounds(0, huge, &start, &end), kResultSuccess);
    EXPECT_EQ(hostFacing->PreAnalyze(1, kWindow), kResultSuccess);
    AAX_CHostServices::Set(nullptr);
    EXPECT_EQ(processor->StatusCode(), kStatusAppendSlice);
    EXPECT_EQ(CommCodes(), std::vector<int32>{kStatusAppendSlice});
    EXPECT_FALSE(std::filesystem::exists(home / "Documents/Orvendal_interface_0.wav"));
    EXPECT_EQ(host.Services().TraceLog().back().text,
              "the selection could not be written to the interface file: the selection of " +
                  std::to_string(huge) + " samples would pass the WAV file's limit of " +
                  std::to_string(InterfaceFileFormat::kMaxSamples) + " samples (4 GiB)");
    // One sample fewer fits: the pass goes on.
    ASSERT_EQ(hostFacing->InitOutputBounds(0, huge - 1, &start, &end), kResultSuccess);
    EXPECT_EQ(hostFacing->PreAnalyze(1, kWindow), kResultSuccess);
    EXPECT_EQ(processor->StatusCode(), kStatusUnderWay);
    EXPECT_TRUE(std::filesystem::exists(home / "Documents/Orvendal_interface_0.wav"));
}

TEST_F(HostProcessorRun, ProgressLinesCountTowardNoLimitAndWithoutProofTheTraceSaysWhy)
{
    AAX_CHostServices::Set(host.Context());
    std::string progress;
    while (progress.size() < 200 * 1024)
        progress += "{\"progress\":0.500}\n";
    companion.SetBehaviour(FaultCompanion::Behaviour::kAnswerParameters);
    companion.SetAnswer(progress + "{\"report\":\"Gain +3 dB: done\"}\n" + progress);
    ASSERT_TRUE(companion.Start());
    Run();
    EXPECT_EQ(processor->StatusCode(), kStatusUnderWay);
    EXPECT_EQ(host.Services().TraceLog().back().text,
              "the companion processed the file: Gain +3 dB: done");

    companion.SetAnswer(progress);
    Run();
    AAX_CHostServices::Set(nullptr);
    ExpectPassThroughWith(kStatusNotProcessed);
    EXPECT_EQ(host.Services().TraceLog().back().text,
              "the companion closed without processing the file: it sent no report line and "
              "left the file as it was given");
}

} // namespace
