#include "RenderCommand.h"

#include <CLI/CLI.hpp>

#include <sndfile.h>

#include <algorithm>
#include <cstdio>
#include <iostream>
#include <memory>
#include <ostream>

#include "AAX_Errors.h"
#include "CombinedProgress.h"
#include "ExitCodes.h"
#include "HostAutomationDelegate.h"
#include "HostProcessorDelegate.h"
#include "HostSession.h"
#include "HostStateFile.h"
#include "OfflineRenderDriver.h"
#include "ParallelJobs.h"
#include "ParameterIDs.h"
#include "PluginInstance.h"
#include "PluginSettings.h"
#include "ProgressBar.h"
#include "RawChannelSink.h"
#include "RenderStatus.h"
#include "SoundFileChannelSource.h"
#include "SoundFileWriter.h"
#include "ThreadTraces.h"

namespace orv::apps
{
namespace
{

constexpr int kMaxWindowSize = 1 << 20;
// Frames per block when the rendered channels are put together into OUT.
constexpr int64 kMergeBlock = 16384;

std::string FolderOf(const std::string& path)
{
    const size_t slash = path.find_last_of('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// One run of the plug-in over one channel of IN.
struct ChannelRun
{
    int32 status = 0;
    std::string companionReason; // for RenderStatus::kCompanionFailed, when it gave one
    std::string report;          // what the companion found and did, when it said
    std::string reasonTrace;     // the plug-in's trace line saying why it failed, if any
    std::string error;           // set when the host could not complete the run
};

// What every channel's run reads; shared by the threads that render the channels.
struct RenderJob
{
    HostSession& session;
    const RenderCommand::Options& options;
    const PluginSettings& settings;
    CombinedProgress& progress;
};

// Runs an instance of its own over source into sink, on the calling thread: the instance's
// calls into the host arrive from here, which is how its traces are told from the others'.
ChannelRun RenderChannel(const RenderJob& job, int32 channel, SoundFileChannelSource& source,
                         RawChannelSink& sink)
{
    ChannelRun run;
    const ThreadTraces traces(job.session.Host().Services());
    ACFPtr<host::HostAutomationDelegate> automation(new host::HostAutomationDelegate);
    ACFPtr<host::HostProcessorDelegate> delegate(new host::HostProcessorDelegate(source));
    std::unique_ptr<host::PluginInstance> instance = host::PluginInstance::Create(
        job.session.Module(), job.session.Host(), {automation.get(), delegate.get()}, &run.error);
    if (!instance) return run;
    AAX_IACFEffectParameters& parameters = *instance->Parameters();
    AAX_IACFHostProcessor* processor = instance->HostProcessor();
    automation->SetParameters(&parameters);
    const auto pump = [&automation] { automation->Pump(); };

    bool ready = processor != nullptr;
    if (!processor) run.error = "the effect has no host processor";
    if (ready && !job.options.stateFile.empty())
    {
        ready = host::HostStateFile::Restore(parameters, job.options.stateFile, &run.error);
        pump();
    }
    if (ready) ready = job.settings.Apply(parameters, pump, &run.error);

    if (ready)
    {
        host::OfflineRenderDriver::Options driver;
        driver.windowSize = job.options.windowSize;
        driver.pump = pump;
        driver.progress =
            [&job, channel](host::OfflineRenderDriver::Pass pass, int64 done, int64 /*total*/)
        { job.progress.Update(channel, pass, done); };
        const auto result = host::OfflineRenderDriver::Run(*processor, source, sink, driver);
        if (result.result != kResultSuccess || sink.Written() != source.Length())
            run.error = "the render stopped with code " + std::to_string(result.result);
        double comm = 0.0;
        parameters.GetParameterNormalizedValue(kCommParameterID, &comm);
        run.status = RenderStatus::FromComm(comm);
        const std::vector<std::string> texts = traces.Texts();
        if (run.status == RenderStatus::kCompanionFailed)
            run.companionReason = RenderStatus::CompanionReason(texts);
        run.report = RenderStatus::CompanionReport(texts);
        run.reasonTrace = RenderStatus::ReasonTrace(run.status, texts);
    }
    automation->SetParameters(nullptr);
    instance.reset();
    return run;
}

// OUT: IN with every rendered channel replaced by its render. IN is read again only for the
// channels that were copied, or for an integer format: a float holds no 32-bit sample
// exactly, so there every rendered sample that is still IN's sample as the plug-in got it
// (a channel passed through after a failure, say) is written from IN's own integer, bit for
// bit. With every channel rendered to a float format, reading IN would be wasted time in a
// step that no thread shares.
bool Merge(const std::string& input, const SF_INFO& info, std::vector<RawChannelSink>& rendered,
           SoundFileWriter& writer, std::string* outError)
{
    const bool integers = writer.WritesIntegers();
    SNDFILE* file = nullptr;
    if (integers || rendered.size() < static_cast<size_t>(info.channels))
    {
        SF_INFO readInfo = {};
        file = sf_open(input.c_str(), SFM_READ, &readInfo);
        if (!file)
        {
            *outError = "cannot read " + input + ": " + sf_strerror(nullptr);
            return false;
        }
    }
    for (auto& sink : rendered)
        sink.Rewind();
    const size_t block = static_cast<size_t>(kMergeBlock * info.channels);
    std::vector<float> frames(integers ? 0 : block);
    std::vector<int> integerFrames(integers ? block : 0);
    std::vector<float> channel(static_cast<size_t>(kMergeBlock));
    // How libsndfile's float reading scales a full-scale integer (a power of two: exact).
    constexpr float kFromInteger = 1.0f / 2147483648.0f;
    bool ok = true;
    for (int64 done = 0; ok && done < info.frames;)
    {
        const int64 count = std::min<int64>(kMergeBlock, info.frames - done);
        if (file && integers) ok = sf_readf_int(file, integerFrames.data(), count) == count;
        if (file && !integers) ok = sf_readf_float(file, frames.data(), count) == count;
        for (size_t c = 0; ok && c < rendered.size(); ++c)
        {
            ok = rendered[c].Read(channel.data(), count);
            for (int64 i = 0; ok && i < count; ++i)
            {
                const size_t at = static_cast<size_t>(i * info.channels) + c;
                const float sample = channel[static_cast<size_t>(i)];
                if (!integers)
                    frames[at] = sample;
                else if (sample != static_cast<float>(integerFrames[at]) * kFromInteger)
                    integerFrames[at] = SoundFileWriter::ToInteger(sample);
            }
        }
        ok = ok && (integers ? writer.WriteIntegers(integerFrames.data(), count)
                             : writer.Write(frames.data(), count));
        done += count;
    }
    if (file) sf_close(file);
    if (!ok) *outError = "cannot put the rendered channels together";
    return ok;
}

} // namespace

void RenderCommand::Register(CLI::App& app, int* exitCode)
{
    auto options = std::make_shared<Options>();
    CLI::App* command = app.add_subcommand(
        "render", "Run the plug-in's analysis and render passes over a sound file");
    command->add_option("IN", options->input, "Input sound file (any format libsndfile reads)")
        ->required();
    command->add_option("OUT", options->output, "Output sound file, written in IN's format")
        ->required();
    command
        ->add_option("--tool", options->tools,
                     "Switch tool N (1-20) on, with preset PRESET (0-99, default 0); repeat "
                     "for more tools")
        ->type_name("N[:PRESET]");
    command->add_option("--range", options->range, "Process only LOW to HIGH Hz")
        ->type_name("LOW-HIGH");
    command->add_option("--window", options->windowSize, "Samples per window of each pass")
        ->check(CLI::Range(1, kMaxWindowSize))
        ->capture_default_str();
    command
        ->add_option("--channels", options->channels,
                     "Process every channel (all, default for multichannel input) or the "
                     "first only")
        ->check(CLI::IsMember({"first", "all"}));
    command
        ->add_option("--jobs", options->jobs,
                     "Channels rendered at once, one plug-in instance each (default: the "
                     "machine's cores)")
        ->check(CLI::Range(1, ParallelJobs::kMaxThreads));
    command->add_option("--state", options->stateFile, "Restore this state file before rendering");
    command->add_option("--module", options->modulePath, HostSession::kModuleOptionHelp);
    command->callback([options, exitCode] { *exitCode = Run(*options, std::cout, std::cerr); });
}

namespace
{

// The plug-in settings the options ask for; false (with why) on a usage error.
bool ReadSettings(const RenderCommand::Options& options, PluginSettings* settings,
                  std::string* error)
{
    for (const auto& tool : options.tools)
        if (!settings->AddTool(tool, error)) return false;
    if (!options.range.empty() && !settings->SetRange(options.range, error)) return false;
    if (options.windowSize < 1 || options.windowSize > kMaxWindowSize)
        *error = "--window must be 1 to " + std::to_string(kMaxWindowSize);
    else if (options.jobs < 0 || options.jobs > ParallelJobs::kMaxThreads)
        *error = "--jobs must be 1 to " + std::to_string(ParallelJobs::kMaxThreads);
    else
        return true;
    return false;
}

// IN's format, once IN is known to hold audio and the state file (if any) to be readable.
bool ProbeInput(const RenderCommand::Options& options, SF_INFO* info, std::string* error)
{
    SNDFILE* probe = sf_open(options.input.c_str(), SFM_READ, info);
    if (!probe)
    {
        *error = "cannot read " + options.input + ": " + sf_strerror(nullptr);
        return false;
    }
    sf_close(probe);
    if (info->channels < 1 || info->samplerate < 1)
    {
        *error = options.input + " holds no audio";
        return false;
    }
    host::HostChunk chunk;
    return options.stateFile.empty() || host::HostStateFile::Read(options.stateFile, &chunk, error);
}

// Every channel's files are opened here, so a failure shows before any plug-in runs.
bool OpenChannels(const RenderCommand::Options& options, int32 processed,
                  std::vector<RawChannelSink>& rendered,
                  std::vector<std::unique_ptr<SoundFileChannelSource>>& sources, std::string* error)
{
    rendered = std::vector<RawChannelSink>(static_cast<size_t>(processed));
    for (int32 channel = 0; channel < processed; ++channel)
    {
        if (!rendered[static_cast<size_t>(channel)].Open(FolderOf(options.output), error))
            return false;
        sources.push_back(std::make_unique<SoundFileChannelSource>());
        if (!sources.back()->Open(options.input, channel, error)) return false;
    }
    return true;
}

// Renders the channels, as many at once as the options allow, with one progress bar.
std::vector<ChannelRun>
RenderChannels(HostSession& session, const RenderCommand::Options& options,
               const PluginSettings& settings, const SF_INFO& info,
               std::vector<std::unique_ptr<SoundFileChannelSource>>& sources,
               std::vector<RawChannelSink>& rendered)
{
    const int32 processed = static_cast<int32>(rendered.size());
    ProgressBar bar(stderr);
    CombinedProgress progress(processed, info.frames,
                              [&bar](const std::string& label, int64 done, int64 total)
                              { bar.Show(label, done, total); });
    const RenderJob job{session, options, settings, progress};
    std::vector<ChannelRun> runs(static_cast<size_t>(processed));
    ParallelJobs::Run(processed, ParallelJobs::ThreadCount(options.jobs, processed),
                      [&](int32 channel)
                      {
                          const size_t at = static_cast<size_t>(channel);
                          runs[at] = RenderChannel(job, channel, *sources[at], rendered[at]);
                          return runs[at].error.empty();
                      });
    return runs;
}

// Says what was rendered, the companion's reports and the status; gives the exit code.
int ReportRuns(const RenderCommand::Options& options, const SF_INFO& info,
               const std::vector<ChannelRun>& runs, std::ostream& out)
{
    // The first channel that was not processed decides the status.
    const auto decisive =
        std::find_if(runs.begin(), runs.end(),
                     [](const ChannelRun& run) { return run.status != RenderStatus::kProcessed; });
    const int32 status = decisive == runs.end() ? RenderStatus::kProcessed : decisive->status;
    const std::string reason = decisive == runs.end() ? std::string() : decisive->companionReason;
    const auto processedCount =
        std::count_if(runs.begin(), runs.end(),
                      [](const ChannelRun& run) { return run.status == RenderStatus::kProcessed; });
    out << "rendered " << options.input << " -> " << options.output << " (" << info.channels
        << (info.channels == 1 ? " channel, " : " channels, ") << processedCount << " processed, "
        << info.frames << " frames at " << info.samplerate << " Hz)\n";
    for (size_t channel = 0; channel < runs.size(); ++channel)
    {
        if (runs[channel].report.empty()) continue;
        out << "report";
        if (runs.size() > 1) out << " (channel " << channel + 1 << ")";
        out << ": " << runs[channel].report << "\n";
    }
    if (decisive != runs.end() && !decisive->reasonTrace.empty())
        out << "trace: " << decisive->reasonTrace << "\n";
    out << "status: " << RenderStatus::Line(status, reason) << "\n";
    return status == RenderStatus::kProcessed ? kExitSuccess : kExitFallback;
}

} // namespace

int RenderCommand::Run(const Options& options, std::ostream& out, std::ostream& err)
{
    const auto usage = [&err](const std::string& message)
    {
        err << "orvendal-host render: " << message << "\n";
        return kExitUsage;
    };
    const auto failure = [&err](const std::string& message)
    {
        err << "orvendal-host render: " << message << "\n";
        return kExitFailure;
    };

    std::string error;
    PluginSettings settings;
    SF_INFO info = {};
    if (!ReadSettings(options, &settings, &error) || !ProbeInput(options, &info, &error))
        return usage(error);

    std::unique_ptr<HostSession> session = HostSession::Open(options.modulePath, &error);
    if (!session) return usage(error);
    session->Host().Controller().SetSampleRate(static_cast<AAX_CSampleRate>(info.samplerate));

    // Made before the plug-in runs, so an unwritable OUT fails first, with nothing written.
    SoundFileWriter writer;
    if (!writer.Open(options.output, info, &error)) return usage(error);

    const int32 processed = options.channels != "first" ? info.channels : 1;
    std::vector<RawChannelSink> rendered;
    std::vector<std::unique_ptr<SoundFileChannelSource>> sources;
    if (!OpenChannels(options, processed, rendered, sources, &error)) return failure(error);

    const std::vector<ChannelRun> runs =
        RenderChannels(*session, options, settings, info, sources, rendered);
    // Every channel before a failed one has run, so the first failure in channel order is
    // the one a render channel by channel meets; the channels after it may not have run.
    for (const ChannelRun& run : runs)
        if (!run.error.empty()) return failure(run.error);
    if (!Merge(options.input, info, rendered, writer, &error) || !writer.Commit(&error))
        return failure(error);
    return ReportRuns(options, info, runs, out);
}

} // namespace orv::apps
