// Runs orvendal-host render as a user does, against the real companion orvendal-qv and
// without it. HOME points at a scratch folder, so the interface file stays there.

#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <sndfile.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace fs = std::filesystem;

namespace
{

constexpr int kRate = 48000;
constexpr int kFrames = kRate / 2;
// Tool 1 of the companion is Gain; its preset 0 is -12 dB.
constexpr double kGainMinus12 = 0.25118864315;

struct Outcome
{
    int exitCode;
    std::string out;
};

class RenderCommand : public ::testing::Test
{
protected:
    void SetUp() override
    {
        mFolder = fs::temp_directory_path() /
                  ("orv-render-" + std::to_string(::getpid()) + "-" +
                   ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(mFolder);
        fs::create_directories(mFolder / "home");
        ::setenv("HOME", (mFolder / "home").c_str(), 1);
        ::unsetenv("XDG_CONFIG_HOME");
    }
    void TearDown() override
    {
        StopCompanion();
        fs::remove_all(mFolder);
    }

    std::string Path(const char* name) const { return (mFolder / name).string(); }

    // A sine per channel, at a different frequency and level each, as 16-bit PCM.
    void WriteInput(const std::string& path, int channels, int frames = kFrames) const
    {
        SF_INFO info = {};
        info.samplerate = kRate;
        info.channels = channels;
        info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
        SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
        ASSERT_NE(file, nullptr);
        std::vector<float> samples(static_cast<size_t>(frames) * static_cast<size_t>(channels));
        for (int i = 0; i < frames; ++i)
            for (int c = 0; c < channels; ++c)
                samples[static_cast<size_t>(i * channels + c)] = static_cast<float>(
                    (0.5 - 0.2 * c) * std::sin(2.0 * M_PI * (440.0 + 110.0 * c) * i / kRate));
        sf_writef_float(file, samples.data(), frames);
        sf_close(file);
    }

    static std::vector<float> Read(const std::string& path, SF_INFO* info)
    {
        *info = {};
        SNDFILE* file = sf_open(path.c_str(), SFM_READ, info);
        if (!file) return {};
        std::vector<float> frames(static_cast<size_t>(info->frames * info->channels));
        sf_readf_float(file, frames.data(), info->frames);
        sf_close(file);
        return frames;
    }

    Outcome Render(const std::string& arguments) const { return Host("render " + arguments); }

    // orvendal-host with these arguments, stdout and stderr together.
    Outcome Host(const std::string& arguments) const
    {
        const std::string command = std::string(ORV_HOST_EXE) + " " + arguments + " 2>&1";
        Outcome outcome{-1, ""};
        FILE* pipe = ::popen(command.c_str(), "r");
        if (!pipe) return outcome;
        char buffer[512];
        while (std::fgets(buffer, sizeof(buffer), pipe))
            outcome.out += buffer;
        const int status = ::pclose(pipe);
        outcome.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        return outcome;
    }

    // With a log, the companion logs its progress (-v) into it.
    void StartCompanion(const std::string& log = "")
    {
        mCompanion = ::fork();
        if (mCompanion == 0)
        {
            if (!log.empty())
            {
                const int fd = ::open(log.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
                ::dup2(fd, STDERR_FILENO);
                ::execl(ORV_COMPANION_EXE, ORV_COMPANION_EXE, "-v", static_cast<char*>(nullptr));
            }
            ::execl(ORV_COMPANION_EXE, ORV_COMPANION_EXE, static_cast<char*>(nullptr));
            ::_exit(127);
        }
        // Ready once it answers a "parameters" request.
        for (int attempt = 0; attempt < 100; ++attempt)
        {
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
            if (IsListening()) return;
        }
    }

    static bool IsListening()
    {
        std::ifstream tcp("/proc/net/tcp");
        std::string line;
        // 51121 = 0xC7B1, state 0A = listening.
        while (std::getline(tcp, line))
            if (line.find(":C7B1 ") != std::string::npos && line.find(" 0A ") != std::string::npos)
                return true;
        return false;
    }

    void StopCompanion()
    {
        if (mCompanion <= 0) return;
        ::kill(mCompanion, SIGTERM);
        ::waitpid(mCompanion, nullptr, 0);
        mCompanion = -1;
    }

    // Sends signal once the companion's log shows it at work on the file (or the render
    // ended first: false).
    bool SignalAtWork(int signal, const std::atomic<bool>& finished) const
    {
        for (int attempt = 0; attempt < 120000 && !finished; ++attempt)
        {
            std::ifstream log(Path("companion.log"));
            std::stringstream text;
            text << log.rdbuf();
            if (text.str().find("Orvendal_interface_0.wav: pass 1/") != std::string::npos)
                return ::kill(mCompanion, signal) == 0;
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        return false;
    }

    struct SignalledRender
    {
        Outcome outcome{-1, ""};
        bool signalled = false;
        double secondsAfter = 0.0; // from the signal to the render's end
    };

    // Three minutes of sound through the denoiser, long enough to be caught at work (it runs
    // them in a quarter of a second), with a companion started for it and sent `signal` once
    // it is at work on the file.
    SignalledRender RenderDenoiseSignalledAtWork(int signal)
    {
        SignalledRender result;
        WriteInput(Path("in.wav"), 1, 180 * kRate);
        StartCompanion(Path("companion.log"));
        if (!IsListening())
        {
            ADD_FAILURE() << "the companion is not listening";
            return result;
        }
        std::atomic<bool> finished{false};
        std::thread render(
            [&]
            {
                result.outcome = Render(Path("in.wav") + " " + Path("out.wav") + " --tool 3:2");
                finished = true;
            });
        result.signalled = SignalAtWork(signal, finished);
        const auto start = std::chrono::steady_clock::now();
        render.join();
        result.secondsAfter =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        return result;
    }

    // The sound files left in the documents folder, where the interface file is made.
    std::vector<std::string> WavesInDocuments() const
    {
        std::vector<std::string> names;
        std::error_code error;
        for (const auto& entry : fs::directory_iterator(mFolder / "home/Documents", error))
            if (entry.path().extension() == ".wav") names.push_back(entry.path().filename());
        return names;
    }

    fs::path mFolder;
    pid_t mCompanion = -1;
};

// Byte for byte the same files.
bool SameBytes(const std::string& a, const std::string& b)
{
    std::ifstream first(a, std::ios::binary);
    std::ifstream second(b, std::ios::binary);
    std::stringstream firstBytes;
    std::stringstream secondBytes;
    firstBytes << first.rdbuf();
    secondBytes << second.rdbuf();
    return !firstBytes.str().empty() && firstBytes.str() == secondBytes.str();
}

TEST_F(RenderCommand, WithoutTheCompanionTheInputComesBackUnchanged)
{
    ASSERT_FALSE(IsListening()) << "something else serves port 51121";
    WriteInput(Path("in.wav"), 1);
    const Outcome outcome = Render(Path("in.wav") + " " + Path("out.wav") + " --tool 1:0");
    EXPECT_EQ(outcome.exitCode, 3) << outcome.out;
    EXPECT_NE(outcome.out.find("status: 20 "), std::string::npos) << outcome.out;
    std::ifstream in(Path("in.wav"), std::ios::binary);
    std::ifstream out(Path("out.wav"), std::ios::binary);
    std::stringstream inBytes;
    std::stringstream outBytes;
    inBytes << in.rdbuf();
    outBytes << out.rdbuf();
    EXPECT_EQ(inBytes.str(), outBytes.str());
}

TEST_F(RenderCommand, AFailedRenderGivesEveryIntegerFormatBackBitForBit)
{
    ASSERT_FALSE(IsListening()) << "something else serves port 51121";
    std::mt19937 random(7);
    for (const int format :
         {SF_FORMAT_PCM_U8, SF_FORMAT_PCM_16, SF_FORMAT_PCM_24, SF_FORMAT_PCM_32})
    {
        // Full-scale integers with every low bit in use: a float cannot carry 32 of them.
        SF_INFO info = {};
        info.samplerate = kRate;
        info.channels = 2;
        info.format = SF_FORMAT_WAV | format;
        SNDFILE* file = sf_open(Path("in.wav").c_str(), SFM_WRITE, &info);
        ASSERT_NE(file, nullptr);
        std::vector<int> samples(2 * 4096);
        for (int& sample : samples)
            sample = static_cast<int>(random());
        sf_writef_int(file, samples.data(), 4096);
        sf_close(file);
        for (const char* channels : {"all", "first"})
        {
            const Outcome outcome = Render(Path("in.wav") + " " + Path("out.wav") +
                                           " --tool 1:0 --channels " + channels);
            EXPECT_EQ(outcome.exitCode, 3) << outcome.out;
            EXPECT_TRUE(SameBytes(Path("in.wav"), Path("out.wav"))) << format << " " << channels;
        }
    }
}

TEST_F(RenderCommand, TheCompanionProcessesEveryChannel)
{
    WriteInput(Path("in.wav"), 2);
    StartCompanion();
    ASSERT_TRUE(IsListening());

    const Outcome all = Render(Path("in.wav") + " " + Path("all.wav") + " --tool 1:0");
    EXPECT_EQ(all.exitCode, 0) << all.out;
    // Each channel's report, from the companion through the plug-in's trace, just above the
    // status line, which stays the last.
    const std::string lastLines = "report (channel 1): Gain -12 dB: done\n"
                                  "report (channel 2): Gain -12 dB: done\n"
                                  "status: 5 processed by the companion\n";
    ASSERT_GE(all.out.size(), lastLines.size()) << all.out;
    EXPECT_EQ(all.out.substr(all.out.size() - lastLines.size()), lastLines);

    const Outcome first =
        Render(Path("in.wav") + " " + Path("first.wav") + " --tool 1:0 --channels first");
    EXPECT_EQ(first.exitCode, 0) << first.out;
    EXPECT_NE(first.out.find("\nreport: Gain -12 dB: done\nstatus: 5 "), std::string::npos)
        << first.out;

    SF_INFO inInfo;
    SF_INFO allInfo;
    SF_INFO firstInfo;
    const std::vector<float> in = Read(Path("in.wav"), &inInfo);
    const std::vector<float> processed = Read(Path("all.wav"), &allInfo);
    const std::vector<float> firstOnly = Read(Path("first.wav"), &firstInfo);
    ASSERT_EQ(allInfo.channels, 2);
    ASSERT_EQ(allInfo.frames, kFrames);
    EXPECT_EQ(allInfo.format, inInfo.format);
    ASSERT_EQ(processed.size(), in.size());
    ASSERT_EQ(firstOnly.size(), in.size());
    // Gain -12 dB on both channels with --channels all; on the first only with first.
    for (size_t i = 1000; i < in.size(); i += 997)
    {
        EXPECT_NEAR(processed[i], in[i] * kGainMinus12, 2e-4) << i;
        const bool firstChannel = i % 2 == 0;
        EXPECT_NEAR(firstOnly[i], firstChannel ? in[i] * kGainMinus12 : in[i], 2e-4) << i;
    }
}

// Every channel of OUT is IN's through the -12 dB gain.
void ExpectGainMinus12(const std::vector<float>& in, const std::vector<float>& out)
{
    ASSERT_EQ(out.size(), in.size());
    for (size_t i = 1000; i < in.size(); i += 997)
        ASSERT_NEAR(out[i], in[i] * kGainMinus12, 2e-4) << i;
}

TEST_F(RenderCommand, AHomeWithSlashesOrDotsStillProcesses)
{
    WriteInput(Path("in.wav"), 1);
    StartCompanion();
    ASSERT_TRUE(IsListening());
    SF_INFO info;
    const std::vector<float> in = Read(Path("in.wav"), &info);
    const std::string home = (mFolder / "home").string();
    for (const std::string& written : {home + "/", home + "/./", home + "//"})
    {
        ::setenv("HOME", written.c_str(), 1);
        fs::remove(Path("out.wav"));
        const Outcome outcome = Render(Path("in.wav") + " " + Path("out.wav") + " --tool 1:0");
        EXPECT_EQ(outcome.exitCode, 0) << written << "\n" << outcome.out;
        EXPECT_NE(outcome.out.find("status: 5 "), std::string::npos) << outcome.out;
        ExpectGainMinus12(in, Read(Path("out.wav"), &info));
    }
    // The interface file went once its samples were read back; its lock file stays.
    EXPECT_EQ(WavesInDocuments(), std::vector<std::string>{});
    EXPECT_TRUE(fs::exists(mFolder / "home/Documents/.Orvendal_interface_0.lock"));
}

TEST_F(RenderCommand, ACompanionKilledWhileProcessingGivesCode27AndTheInput)
{
    const SignalledRender run = RenderDenoiseSignalledAtWork(SIGKILL);
    const Outcome& outcome = run.outcome;
    ASSERT_TRUE(run.signalled) << outcome.out;
    ::waitpid(mCompanion, nullptr, 0);
    mCompanion = -1;
    EXPECT_EQ(outcome.exitCode, 3) << outcome.out;
    // The plug-in's reason stands just above the status line, which stays last.
    EXPECT_NE(outcome.out.find("1 channel, 0 processed"), std::string::npos) << outcome.out;
    EXPECT_NE(outcome.out.find("\ntrace: the companion closed without processing the file: it sent "
                               "no report line and left the file as it was given\nstatus: 27 the "
                               "companion closed without processing the file\n"),
              std::string::npos)
        << outcome.out;
    EXPECT_EQ(outcome.out.find("\nreport"), std::string::npos) << outcome.out;
    EXPECT_TRUE(SameBytes(Path("in.wav"), Path("out.wav")));
    EXPECT_EQ(WavesInDocuments(), std::vector<std::string>{});
}

TEST_F(RenderCommand, ACompanionThatStopsAnsweringGives29AndNeverWritesOverTheNextFile)
{
    // Frozen at work, as a companion swapped out or stuck would be.
    const SignalledRender run = RenderDenoiseSignalledAtWork(SIGSTOP);
    const Outcome& outcome = run.outcome;
    const double seconds = run.secondsAfter;
    ASSERT_TRUE(run.signalled) << outcome.out;
    EXPECT_EQ(outcome.exitCode, 3) << outcome.out;
    EXPECT_NE(outcome.out.find("\ntrace: the companion stopped answering: it sent progress, then "
                               "nothing for 30 s\nstatus: 29 the companion stopped answering\n"),
              std::string::npos)
        << outcome.out;
    EXPECT_GE(seconds, 29.0);
    EXPECT_LT(seconds, 35.0);
    EXPECT_TRUE(SameBytes(Path("in.wav"), Path("out.wav")));
    EXPECT_EQ(WavesInDocuments(), std::vector<std::string>{});

    // The next pass's file under the same name: the woken companion finds its client gone
    // and abandons the old job rather than rename its result over this one.
    const std::string next = (mFolder / "home/Documents/Orvendal_interface_0.wav").string();
    WriteInput(next, 1, kRate);
    std::ifstream original(next, std::ios::binary);
    const std::string before{std::istreambuf_iterator<char>(original), {}};
    ::kill(mCompanion, SIGCONT);
    std::string log;
    for (int attempt = 0; attempt < 100 && log.find("the job was abandoned") == std::string::npos;
         ++attempt)
    {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        std::ifstream file(Path("companion.log"));
        log.assign(std::istreambuf_iterator<char>(file), {});
    }
    EXPECT_NE(log.find("its client had closed, the job was abandoned"), std::string::npos) << log;
    std::ifstream after(next, std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(after), {}), before);
}

TEST_F(RenderCommand, ALinkAtTheInterfacePathLeavesItsTargetAsItWas)
{
    WriteInput(Path("in.wav"), 1);
    fs::create_directories(mFolder / "home/Documents");
    const fs::path target = mFolder / "someone-elses.wav";
    WriteInput(target.string(), 1);
    std::ifstream before(target, std::ios::binary);
    std::stringstream targetBytes;
    targetBytes << before.rdbuf();
    fs::create_symlink(target, mFolder / "home/Documents/Orvendal_interface_0.wav");
    StartCompanion();
    ASSERT_TRUE(IsListening());

    const Outcome outcome = Render(Path("in.wav") + " " + Path("out.wav") + " --tool 1:0");
    EXPECT_EQ(outcome.exitCode, 0) << outcome.out;
    SF_INFO info;
    ExpectGainMinus12(Read(Path("in.wav"), &info), Read(Path("out.wav"), &info));
    std::ifstream after(target, std::ios::binary);
    std::stringstream afterBytes;
    afterBytes << after.rdbuf();
    EXPECT_EQ(afterBytes.str(), targetBytes.str());
    EXPECT_FALSE(fs::is_symlink(mFolder / "home/Documents/Orvendal_interface_0.wav"));
}

TEST_F(RenderCommand, AStateOfAnotherChunkIsRefusedInOneLine)
{
    ASSERT_EQ(Host("state save " + Path("s.state")).exitCode, 0);
    std::fstream file(Path("s.state"), std::ios::binary | std::ios::in | std::ios::out);
    // The chunk ID: after the data size, the version and the three plug-in identifiers.
    file.seekp(20);
    file.write("XXXX", 4);
    file.close();
    for (const char* action : {"show", "compare"})
    {
        const Outcome outcome = Host(std::string("state ") + action + " " + Path("s.state"));
        EXPECT_EQ(outcome.exitCode, 2) << action;
        EXPECT_EQ(outcome.out, "orvendal-host state: " + Path("s.state") +
                                   " holds chunk 'XXXX', which the plug-in cannot restore\n");
    }
}

TEST_F(RenderCommand, BadArgumentsWriteNothing)
{
    WriteInput(Path("in.wav"), 1);
    const std::vector<std::string> bad = {
        Path("missing.wav") + " " + Path("out.wav"),
        Path("in.wav") + " " + Path("out.wav") + " --tool 21",
        Path("in.wav") + " " + Path("out.wav") + " --tool 2:x",
        Path("in.wav") + " " + Path("out.wav") + " --range 500-100",
        Path("in.wav") + " " + Path("out.wav") + " --channels some",
        Path("in.wav") + " " + Path("out.wav") + " --window 0",
        Path("in.wav") + " " + Path("out.wav") + " --state " + Path("in.wav"),
        Path("in.wav") + " " + Path("out.wav") + " --bogus",
    };
    for (const auto& arguments : bad)
    {
        const Outcome outcome = Render(arguments);
        EXPECT_EQ(outcome.exitCode, 2) << arguments << "\n" << outcome.out;
        EXPECT_EQ(std::count(outcome.out.begin(), outcome.out.end(), '\n'), 1) << outcome.out;
        EXPECT_FALSE(fs::exists(Path("out.wav"))) << arguments;
    }
    // Nothing but the input is left behind either.
    size_t files = 0;
    for (const auto& entry : fs::directory_iterator(mFolder))
        files += entry.is_regular_file();
    EXPECT_EQ(files, 1u);
}

} // namespace
