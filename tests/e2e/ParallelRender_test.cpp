// Runs orvendal-host render as a user does, against the real companion: the channels of a
// file rendered at once, and several renders at once, each must get its own input
// processed. Every instance claims an interface file of its own in the one documents folder
// (HOME points at a scratch folder), so a mix-up shows as another channel's audio.

#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <sndfile.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "CompanionProcess.h"
#include "ScopedVariable.h"
#include "TempFolder.h"

namespace
{

constexpr int kRate = 48000;
constexpr int kFrames = kRate;
// Tool 1 of the companion is Gain; its preset 0 is -12 dB.
constexpr double kGainMinus12 = 0.25118864315;
constexpr double kTolerance = 1e-5;

// One orvendal-host render started in the background, its output kept in a file.
class RenderProcess
{
public:
    RenderProcess(const std::vector<std::string>& arguments, const std::string& log) : mLog(log)
    {
        std::vector<std::string> all = {ORV_HOST_EXE, "render"};
        all.insert(all.end(), arguments.begin(), arguments.end());
        mPid = ::fork();
        if (mPid != 0) return;
        const int out = ::open(log.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (out >= 0)
        {
            ::dup2(out, STDOUT_FILENO);
            ::dup2(out, STDERR_FILENO);
        }
        std::vector<char*> argv;
        for (auto& argument : all)
            argv.push_back(argument.data());
        argv.push_back(nullptr);
        ::execv(argv[0], argv.data());
        ::_exit(127);
    }
    ~RenderProcess()
    {
        if (mPid <= 0) return;
        ::kill(mPid, SIGKILL);
        ::waitpid(mPid, nullptr, 0);
    }
    RenderProcess(const RenderProcess&) = delete;
    RenderProcess& operator=(const RenderProcess&) = delete;

    // The exit code (-1 when it did not exit normally); the test's timeout bounds the wait.
    int Wait()
    {
        int status = 0;
        const pid_t pid = mPid;
        mPid = -1;
        if (pid <= 0 || ::waitpid(pid, &status, 0) != pid) return -1;
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    std::string Output() const { return Bytes(mLog); }

    static std::string Bytes(const std::string& path)
    {
        std::ifstream file(path, std::ios::binary);
        std::stringstream bytes;
        bytes << file.rdbuf();
        return bytes.str();
    }

private:
    std::string mLog;
    pid_t mPid = -1;
};

struct Sound
{
    int channels = 0;
    std::vector<float> frames; // interleaved
    float At(int frame, int channel) const
    {
        return frames[static_cast<size_t>(frame * channels + channel)];
    }
};

// A sine of its own per channel, as 32-bit float, so a check can be tight.
void WriteSines(const std::string& path, const std::vector<double>& frequencies)
{
    SF_INFO info = {};
    info.samplerate = kRate;
    info.channels = static_cast<int>(frequencies.size());
    info.format = SF_FORMAT_WAV | SF_FORMAT_FLOAT;
    SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
    ASSERT_NE(file, nullptr);
    std::vector<float> frames(static_cast<size_t>(kFrames) * frequencies.size());
    for (int i = 0; i < kFrames; ++i)
        for (size_t c = 0; c < frequencies.size(); ++c)
            frames[i * frequencies.size() + c] =
                static_cast<float>(0.6 * std::sin(2.0 * M_PI * frequencies[c] * i / kRate));
    ASSERT_EQ(sf_writef_float(file, frames.data(), kFrames), kFrames);
    sf_close(file);
}

Sound Read(const std::string& path)
{
    Sound sound;
    SF_INFO info = {};
    SNDFILE* file = sf_open(path.c_str(), SFM_READ, &info);
    if (!file) return sound;
    sound.channels = info.channels;
    sound.frames.resize(static_cast<size_t>(info.frames * info.channels));
    sf_readf_float(file, sound.frames.data(), info.frames);
    sf_close(file);
    return sound;
}

// Every channel of output is its own channel of input at -12 dB; the first sample that is
// not, as a message, or empty.
std::string GainMismatch(const std::string& input, const std::string& output)
{
    const Sound in = Read(input);
    const Sound out = Read(output);
    if (in.frames.empty() || out.channels != in.channels || out.frames.size() != in.frames.size())
        return output + " does not have the input's shape";
    for (int c = 0; c < in.channels; ++c)
        for (int i = 0; i < kFrames; ++i)
            if (std::fabs(out.At(i, c) - in.At(i, c) * kGainMinus12) > kTolerance)
                return output + ": channel " + std::to_string(c + 1) + " frame " +
                       std::to_string(i) + " is " + std::to_string(out.At(i, c)) + ", its input " +
                       std::to_string(in.At(i, c));
    return std::string();
}

class ParallelRender : public ::testing::Test
{
protected:
    ParallelRender() : mHome("HOME", mFolder / "home"), mConfig("XDG_CONFIG_HOME") {}

    void SetUp() override
    {
        ASSERT_FALSE(mFolder.Path().empty());
        std::filesystem::create_directories(mFolder / "home");
    }

    std::string Path(const std::string& name) const { return mFolder / name; }

    // Starts one render per input at the same moment and waits for all; each must exit 0
    // with the companion's status and its own input processed.
    void RenderAtOnce(const std::vector<std::string>& inputs, const std::string& extra = "")
    {
        std::vector<std::unique_ptr<RenderProcess>> renders;
        for (const auto& input : inputs)
        {
            std::vector<std::string> arguments = {Path(input), Path("out-" + input), "--tool",
                                                  "1:0"};
            if (!extra.empty()) arguments.push_back(extra);
            renders.push_back(std::make_unique<RenderProcess>(arguments, Path(input + ".log")));
        }
        for (size_t i = 0; i < renders.size(); ++i)
        {
            const int exitCode = renders[i]->Wait();
            const std::string output = renders[i]->Output();
            EXPECT_EQ(exitCode, 0) << inputs[i] << ": " << output;
            EXPECT_NE(output.find("status: 5 processed by the companion\n"), std::string::npos)
                << output;
            EXPECT_EQ(GainMismatch(Path(inputs[i]), Path("out-" + inputs[i])), "");
        }
    }

    orv::test::TempFolder mFolder;
    orv::host::validator::ScopedVariable mHome;
    orv::host::validator::ScopedVariable mConfig;
};

TEST_F(ParallelRender, AnyNumberOfJobsGivesTheSameFileAndEachChannelItsOwnInput)
{
    WriteSines(Path("in.wav"), {220.0, 1000.0, 2500.0, 6000.0});
    orv::host::validator::CompanionProcess companion(ORV_COMPANION_EXE);
    ASSERT_TRUE(companion.Ready());

    for (const char* jobs : {"1", "2", "4"})
    {
        const std::string out = Path(std::string("out-") + jobs + ".wav");
        RenderProcess render({Path("in.wav"), out, "--tool", "1:0", "--jobs", jobs},
                             Path(std::string("render-") + jobs + ".log"));
        EXPECT_EQ(render.Wait(), 0) << render.Output();
        EXPECT_NE(render.Output().find("(4 channels, 4 processed, "), std::string::npos)
            << render.Output();
        EXPECT_EQ(GainMismatch(Path("in.wav"), out), "") << "--jobs " << jobs;
    }
    const std::string serial = RenderProcess::Bytes(Path("out-1.wav"));
    ASSERT_FALSE(serial.empty());
    EXPECT_EQ(RenderProcess::Bytes(Path("out-2.wav")), serial);
    EXPECT_EQ(RenderProcess::Bytes(Path("out-4.wav")), serial);

    // Each channel is its own sine, so a channel rendered from another's input would differ.
    const Sound out = Read(Path("out-4.wav"));
    ASSERT_EQ(out.channels, 4);
    for (int a = 0; a < out.channels; ++a)
        for (int b = a + 1; b < out.channels; ++b)
        {
            double difference = 0.0;
            for (int i = 0; i < kFrames; ++i)
                difference = std::max<double>(difference, std::fabs(out.At(i, a) - out.At(i, b)));
            EXPECT_GT(difference, 0.1) << "channels " << a + 1 << " and " << b + 1;
        }
}

TEST_F(ParallelRender, RendersStartedTogetherEachProcessTheirOwnInput)
{
    const std::vector<double> frequencies = {440.0, 3000.0, 700.0, 5000.0};
    std::vector<std::string> inputs;
    for (size_t i = 0; i < frequencies.size(); ++i)
    {
        inputs.push_back("in" + std::to_string(i) + ".wav");
        // Two channels each, so every render also runs instances side by side.
        WriteSines(Path(inputs.back()), {frequencies[i], frequencies[i] * 1.5});
    }
    orv::host::validator::CompanionProcess companion(ORV_COMPANION_EXE);
    ASSERT_TRUE(companion.Ready());

    RenderAtOnce({inputs[0], inputs[1]}, "--jobs=1");
    RenderAtOnce(inputs);
}

TEST_F(ParallelRender, ARefusedRequestGivesTheCompanionsReasonAndTheInputUnchanged)
{
    WriteSines(Path("in.wav"), {330.0, 4000.0});
    orv::host::validator::CompanionProcess companion(ORV_COMPANION_EXE);
    ASSERT_TRUE(companion.Ready());

    // Gain has five presets: the companion refuses a tenth, and says so.
    RenderProcess render({Path("in.wav"), Path("out.wav"), "--tool", "1:9", "--jobs", "2"},
                         Path("render.log"));
    EXPECT_EQ(render.Wait(), 3) << render.Output();
    const std::string output = render.Output();
    const std::string status = "status: 22 the companion could not process the file: ";
    const size_t at = output.rfind(status);
    ASSERT_NE(at, std::string::npos) << output;
    const std::string reason = output.substr(at + status.size());
    EXPECT_GT(reason.size(), 1u) << output;
    EXPECT_EQ(reason.find('\n'), reason.size() - 1) << "the status line is not the last line";

    const Sound in = Read(Path("in.wav"));
    const Sound out = Read(Path("out.wav"));
    EXPECT_EQ(out.frames, in.frames);
}

} // namespace
