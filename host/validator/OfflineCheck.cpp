#include "OfflineCheck.h"

#include <sndfile.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <optional>
#include <set>
#include <sstream>

#include "AAX_Errors.h"
#include "CheckContext.h"
#include "CompanionPort.h"
#include "CompanionProcess.h"
#include "FaultCompanion.h"
#include "ForeignListener.h"
#include "HostAutomationDelegate.h"
#include "HostProcessorDelegate.h"
#include "MemoryAudioSink.h"
#include "MemoryAudioSource.h"
#include "OfflinePassPlan.h"
#include "OfflineRenderDriver.h"
#include "OfflineVerdict.h"
#include "PluginInstance.h"
#include "PluginModule.h"
#include "ReferenceHost.h"
#include "ScopedVariable.h"
#include "TemporaryFolder.h"

namespace orv::host::validator
{
namespace
{

// A gain that is exact in single precision and changes every sample that is not zero.
constexpr float kCompanionGain = 0.5f;
// How often a long pass tells the watchdog it is alive.
constexpr int64 kProgressEvery = 1 << 18;
// Garbage files stay below this size.
constexpr size_t kMaxGarbageBytes = 1 << 20;
// The real companion's pass: one second at 48 kHz in windows of 1024.
constexpr int32 kRealCompanionRate = 48000;
// What a companion at work sends before it dies or falls silent.
constexpr const char* kProgressLine = "{\"progress\":0.400}\n";

using Channels = std::vector<std::vector<float>>;

Channels Noise(const OfflinePass& pass, std::mt19937_64& random)
{
    std::uniform_real_distribution<float> level(-0.9f, 0.9f);
    Channels channels(static_cast<size_t>(pass.channels));
    for (auto& channel : channels)
    {
        channel.resize(static_cast<size_t>(pass.length));
        for (float& sample : channel)
            sample = level(random);
    }
    return channels;
}

std::vector<unsigned char> Garbage(int64 length, std::mt19937_64& random)
{
    // Sometimes the first tags are right, so the header check gets further in.
    const size_t size = std::min<size_t>(
        kMaxGarbageBytes, std::uniform_int_distribution<size_t>(
                              0, 2 * (80 + 4 * static_cast<size_t>(length)))(random));
    std::vector<unsigned char> bytes(size);
    std::uniform_int_distribution<int> byte(0, 255);
    for (auto& b : bytes)
        b = static_cast<unsigned char>(byte(random));
    if (random() % 2 == 0)
    {
        static const char prefix[] = "RIFF\x24\x00\x00\x00WAVEfmt ";
        std::copy(prefix, prefix + std::min(sizeof prefix - 1, bytes.size()), bytes.begin());
    }
    return bytes;
}

// Scripts the companion for pass; the damage it does is drawn from random.
void Prepare(FaultCompanion& companion, const OfflinePass& pass, std::mt19937_64& random)
{
    using Behaviour = FaultCompanion::Behaviour;
    companion.ClearRecord();
    companion.SetGain(kCompanionGain);
    switch (pass.companion)
    {
    case OfflinePass::Companion::kNone:
    case OfflinePass::Companion::kProcesses:
        companion.SetBehaviour(Behaviour::kProcessWithGain);
        break;
    case OfflinePass::Companion::kClosesUnprocessed:
        companion.SetBehaviour(Behaviour::kCloseWithoutAnswer);
        break;
    case OfflinePass::Companion::kWrongRate:
        companion.SetBehaviour(Behaviour::kWrongRate);
        break;
    case OfflinePass::Companion::kWrongLength:
    {
        const int64 change = std::uniform_int_distribution<int64>(1, 3)(random);
        companion.SetLengthChange(random() % 2 == 0 ? change : -change);
        companion.SetBehaviour(Behaviour::kWrongLength);
        break;
    }
    case OfflinePass::Companion::kTruncated:
        // Anywhere from inside the header to the last byte of the data.
        companion.SetKeptBytes(std::uniform_int_distribution<std::uint64_t>(
            0, 100 + 4 * static_cast<std::uint64_t>(pass.length))(random));
        companion.SetBehaviour(Behaviour::kTruncate);
        break;
    case OfflinePass::Companion::kGarbage:
        companion.SetFileBytes(Garbage(pass.length, random));
        companion.SetBehaviour(Behaviour::kOverwriteFile);
        break;
    case OfflinePass::Companion::kFailureAnswer:
        companion.SetAnswer("the validator's companion refuses this file");
        companion.SetBehaviour(Behaviour::kAnswerFailure);
        break;
    case OfflinePass::Companion::kKilled:
        // As the kernel ends a killed companion: its socket closes after what it had sent.
        companion.SetAnswer(kProgressLine);
        companion.SetBehaviour(Behaviour::kAnswerParameters);
        break;
    case OfflinePass::Companion::kSilent:
        companion.SetAnswer(kProgressLine);
        companion.SetBehaviour(Behaviour::kGoSilent);
        break;
    case OfflinePass::Companion::kNonFiniteSamples:
    {
        std::vector<std::int64_t> positions(3);
        for (auto& position : positions)
            position = std::uniform_int_distribution<int64>(0, std::max<int64>(pass.length, 1) -
                                                                   1)(random);
        companion.SetPoisonedSamples(positions);
        companion.SetBehaviour(Behaviour::kPoisonSamples);
        break;
    }
    }
}

struct PassRun
{
    std::string error; // why the run could not be made, or empty
    AAX_Result driverResult = kResultSuccess;
    int64 rendered = 0;
    Channels output;
    double comm = -1.0;
};

// One offline run of a fresh instance over input at the pass's window and rate.
PassRun Render(const PluginModule& module, ReferenceHost& host, const OfflinePass& pass,
               const Channels& input, CheckContext& context)
{
    PassRun run;
    host.Controller().SetSampleRate(static_cast<AAX_CSampleRate>(pass.sampleRate));
    MemoryAudioSource source(input);
    ACFPtr<HostAutomationDelegate> automation(new HostAutomationDelegate);
    ACFPtr<HostProcessorDelegate> delegate(new HostProcessorDelegate(source));
    std::unique_ptr<PluginInstance> instance =
        PluginInstance::Create(module, host, {automation.get(), delegate.get()}, &run.error);
    if (!instance) return run;
    if (!instance->HostProcessor())
    {
        run.error = "the effect has no host processor";
        return run;
    }
    automation->SetParameters(instance->Parameters());

    MemoryAudioSink sink;
    OfflineRenderDriver::Options options;
    options.windowSize = pass.window;
    options.inPlace = pass.inPlace;
    options.pump = [&automation] { automation->Pump(); };
    int64 nextReport = kProgressEvery;
    const std::string step = pass.Describe();
    options.progress = [&](OfflineRenderDriver::Pass which, int64 done, int64)
    {
        if (done < nextReport) return;
        nextReport = done + kProgressEvery;
        context.Progress(
            step + (which == OfflineRenderDriver::Pass::kAnalysis ? ": analysing" : ": rendering") +
            " at sample " + std::to_string(done));
    };
    const OfflineRenderDriver::Result result =
        OfflineRenderDriver::Run(*instance->HostProcessor(), source, sink, options);
    run.driverResult = result.result;
    run.rendered = result.rendered;
    run.output = sink.Channels();
    // A selection of no samples renders no window, so the sink never learnt the channels.
    if (run.output.empty() && pass.length == 0) run.output.resize(input.size());
    instance->Parameters()->GetParameterNormalizedValue(kCommParameterID, &run.comm);
    automation->SetParameters(nullptr);
    return run;
}

// The channels as a 32-bit float WAV file's bytes (empty when it cannot be made).
std::vector<char> WavBytes(const Channels& channels, int32 rate, const std::string& scratch)
{
    if (channels.empty()) return {};
    SF_INFO info{};
    info.samplerate = rate;
    info.channels = static_cast<int>(channels.size());
    info.format = SF_FORMAT_WAV | SF_FORMAT_FLOAT;
    SNDFILE* file = sf_open(scratch.c_str(), SFM_WRITE, &info);
    if (!file) return {};
    const size_t frames = channels.front().size();
    std::vector<float> interleaved(frames * channels.size());
    for (size_t i = 0; i < frames; ++i)
        for (size_t c = 0; c < channels.size(); ++c)
            interleaved[i * channels.size() + c] = i < channels[c].size() ? channels[c][i] : 0.0f;
    sf_writef_float(file, interleaved.data(), static_cast<sf_count_t>(frames));
    sf_close(file);
    std::ifstream in(scratch, std::ios::binary);
    std::vector<char> bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    std::filesystem::remove(scratch);
    return bytes;
}

void SaveEvidence(CheckContext& context, const std::string& prefix, const OfflinePass& pass,
                  const Channels& input, const PassRun& run, const std::vector<float>& written,
                  const std::string& scratch)
{
    std::ostringstream note;
    note.precision(9);
    note << pass.Describe() << "\n\"Comm\" " << run.comm << "\nrendered " << run.rendered
         << " samples, driver result " << run.driverResult << "\n";
    context.SaveArtifact(prefix + ".txt", note.str());
    const std::pair<const char*, Channels> files[] = {
        {"-input.wav", input}, {"-output.wav", run.output}, {"-companion.wav", {written}}};
    for (const auto& file : files)
    {
        const std::vector<char> bytes = WavBytes(file.second, pass.sampleRate, scratch);
        if (!bytes.empty()) context.SaveArtifact(prefix + file.first, bytes.data(), bytes.size());
    }
}

// Judges a finished run and reports what is wrong; true when nothing is.
bool Report(CheckContext& context, const std::string& name, const OfflinePass& pass,
            const Channels& input, const PassRun& run, const std::vector<float>& written,
            const std::string& scratch)
{
    std::vector<std::string> problems;
    if (!run.error.empty())
        problems.push_back(run.error);
    else if (run.driverResult != kResultSuccess)
        problems.push_back("the run ended with result " + std::to_string(run.driverResult));
    else
        problems = OfflineVerdict::Judge(pass, input, run.output, run.comm, written);
    for (const std::string& problem : problems)
        context.Fail(pass.Describe() + ": " + problem);
    if (problems.empty()) return true;
    SaveEvidence(context, name, pass, input, run, written, scratch);
    return false;
}

bool HasHostProcessor(const PluginModule& module, ReferenceHost& host)
{
    std::string error;
    const std::unique_ptr<PluginInstance> instance =
        PluginInstance::Create(module, host, {}, &error);
    return instance && instance->HostProcessor();
}

// One pass through the real companion, when the run names its program: with no tool on it
// must give the selection back as it was, and say so.
void RunRealCompanion(CheckContext& context, const PluginModule& module, ReferenceHost& host,
                      const std::string& scratch)
{
    const std::string& program = context.CompanionPath();
    std::error_code error;
    if (program.empty() || !std::filesystem::is_regular_file(program, error))
    {
        context.Info("no companion program given: the pass through the real one is left out");
        return;
    }
    context.Progress("starting the companion " + program);
    CompanionProcess companion(program);
    if (!companion.Ready())
    {
        context.Fail("the companion " + program + " did not listen on port " +
                     std::to_string(kCompanionPort));
        return;
    }
    OfflinePass pass;
    pass.sampleRate = kRealCompanionRate;
    pass.length = kRealCompanionRate;
    pass.channels = 2;
    pass.companion = OfflinePass::Companion::kProcesses;
    context.Progress(pass.Describe() + " (the real companion)");
    const Channels input = Noise(pass, context.Random());
    const PassRun run = Render(module, host, pass, input, context);
    // No tool is on: the companion reports that and leaves the file as it was.
    if (!Report(context, "offline-real-companion", pass, input, run, input.front(), scratch))
        return;
    if (OfflineVerdict::StatusCode(run.comm) != OfflineVerdict::kSuccessCode)
        context.Fail("the real companion's pass ended with \"Comm\" " + std::to_string(run.comm));
}

// Another user's program on the port must get nothing from the plug-in, not even the path
// of the user's file: the pass fails with 28 and renders its input. Only root can run a
// program as another user, so for anyone else the check is left out, saying so.
void RunForeignListener(CheckContext& context, const PluginModule& module, ReferenceHost& host)
{
    if (!OtherUser::Available())
    {
        context.Info("not run as root: the listener of another user is left out");
        return;
    }
    ForeignListener foreign(kCompanionPort);
    if (foreign.Port() == 0)
    {
        context.Fail("cannot listen on port " + std::to_string(kCompanionPort) + " as nobody");
        return;
    }
    OfflinePass pass;
    pass.sampleRate = kRealCompanionRate;
    pass.length = kRealCompanionRate / 10;
    pass.channels = 1;
    pass.companion = OfflinePass::Companion::kProcesses;
    context.Progress(pass.Describe() + " (a listener of another user)");
    const Channels input = Noise(pass, context.Random());
    const PassRun run = Render(module, host, pass, input, context);
    const long long received = foreign.Stop();
    const int code = OfflineVerdict::StatusCode(run.comm);
    if (!run.error.empty())
        context.Fail("the pass against another user's listener could not be made: " + run.error);
    else if (received != 0)
        context.Fail("the plug-in sent " + std::to_string(received) +
                     " bytes to a listener of another user");
    else if (code != kStatusForeignListener)
        context.Fail("against a listener of another user \"Comm\" carried " + std::to_string(code) +
                     ", not " + std::to_string(kStatusForeignListener));
    else if (run.output != input)
        context.Fail("against a listener of another user the render is not its input");
    else
        context.Info("a listener of another user got nothing; the pass rendered its input with "
                     "\"Comm\" " +
                     std::to_string(code));
}

// The status codes each companion behaviour led to, for the report.
using SeenCodes = std::array<std::set<int>, OfflinePass::kAllCompanionKinds>;

// Once, outside the drawn passes: it waits out the plug-in's whole silence limit, which the
// watchdog outlasts. False when the pass failed.
bool RunSilentPass(CheckContext& context, const PluginModule& module, ReferenceHost& host,
                   FaultCompanion& companion, const std::string& scratch, SeenCodes& seen)
{
    OfflinePass silent;
    silent.length = 4800;
    silent.companion = OfflinePass::Companion::kSilent;
    context.Progress(silent.Describe() + " (waits out the silence limit)");
    const Channels silentInput = Noise(silent, context.Random());
    Prepare(companion, silent, context.Random());
    if (!companion.IsRunning()) companion.Start();
    const PassRun silentRun = Render(module, host, silent, silentInput, context);
    const bool passed = Report(context, "offline-silent-companion", silent, silentInput, silentRun,
                               companion.LastOutput(), scratch);
    seen[static_cast<size_t>(silent.companion)].insert(OfflineVerdict::StatusCode(silentRun.comm));
    return passed;
}

// Every drawn pass is made twice: with separate input and output buffers, and in place. The
// number of passes that failed; nothing when the companion's port was taken meanwhile (the
// check has failed then).
std::optional<int> RunDrawnPasses(CheckContext& context, const PluginModule& module,
                                  ReferenceHost& host, FaultCompanion& companion,
                                  const std::vector<OfflinePass>& passes,
                                  const std::string& scratch, SeenCodes& seen)
{
    int failed = 0;
    for (size_t index = 0; index < 2 * passes.size(); ++index)
    {
        OfflinePass pass = passes[index / 2];
        pass.inPlace = index % 2 == 1;
        context.Progress(pass.Describe());
        const Channels input = Noise(pass, context.Random());
        Prepare(companion, pass, context.Random());
        const bool listening = pass.companion != OfflinePass::Companion::kNone;
        if (listening && !companion.IsRunning() && !companion.Start())
        {
            context.Fail(CompanionPortLostMessage());
            return std::nullopt;
        }
        if (!listening) companion.Stop();
        const PassRun run = Render(module, host, pass, input, context);
        if (!Report(context, "offline-pass-" + std::to_string(index), pass, input, run,
                    companion.LastOutput(), scratch))
            ++failed;
        seen[static_cast<size_t>(pass.companion)].insert(OfflineVerdict::StatusCode(run.comm));
    }
    return failed;
}

void ReportSeenCodes(CheckContext& context, const SeenCodes& seen)
{
    for (size_t kind = 0; kind < seen.size(); ++kind)
    {
        std::string codes;
        for (int code : seen[kind])
            codes += (codes.empty() ? "" : ", ") + std::to_string(code);
        context.Info(std::string(OfflinePass::Name(static_cast<OfflinePass::Companion>(kind))) +
                     ": \"Comm\" codes " + codes);
    }
}

} // namespace

const char* OfflineCheck::Summary() const
{
    return "offline runs over every window size, sample rate and selection length, with a "
           "companion that processes or fails: full, finite renders that follow \"Comm\"";
}

void OfflineCheck::Run(CheckContext& context)
{
    const auto started = std::chrono::steady_clock::now();
    TemporaryFolder home;
    if (home.Path().empty())
    {
        context.Fail("cannot make a temporary folder for the interface file");
        return;
    }
    ScopedVariable homeVariable("HOME", home.Path());
    ScopedVariable configVariable("XDG_CONFIG_HOME");
    const std::string scratch = home / "evidence.wav";

    context.Progress("loading the module");
    ReferenceHost host;
    std::string error;
    std::unique_ptr<PluginModule> module = PluginModule::Load(context.ModulePath(), host, &error);
    if (!module)
    {
        context.Fail("cannot load the module: " + error);
        return;
    }
    if (!HasHostProcessor(*module, host))
    {
        context.Info("the effect registers no host processor: no offline pass to make");
        return;
    }
    if (CompanionPortAnswers())
    {
        context.Fail(CompanionPortTakenMessage());
        return;
    }

    FaultCompanion companion;
    const std::vector<OfflinePass> passes =
        OfflinePassPlan::Make(context.Random(), context.Scaled(kDrawnPasses));
    SeenCodes seen;
    const std::optional<int> drawnFailed =
        RunDrawnPasses(context, *module, host, companion, passes, scratch, seen);
    if (!drawnFailed) return;
    int failed = *drawnFailed;
    if (!RunSilentPass(context, *module, host, companion, scratch, seen)) ++failed;
    companion.Stop();
    ReportSeenCodes(context, seen);

    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    context.Info(std::to_string(2 * passes.size() + 1) + " passes, " + std::to_string(failed) +
                 " failed, in " + std::to_string(seconds).substr(0, 5) + " s");
    RunForeignListener(context, *module, host);
    RunRealCompanion(context, *module, host, scratch);
}

} // namespace orv::host::validator
