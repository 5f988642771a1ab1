#include "ProcessingPipeline.h"

#include "AudioFileReader.h"
#include "CompanionConstants.h"
#include "InterfaceFile.h"
#include "InterfaceFileGuard.h"
#include "ToolChain.h"
#include "ToolFactory.h"
#include "WavFloatWriter.h"

#include <chrono>
#include <cstdio>
#include <cstring>

namespace companion
{

namespace
{
ProcessingPipeline::Outcome refused(const std::string& why)
{
    return {false, "left untouched: " + why, why, {}};
}

// No tool on, or no samples: the file as it stands is already the result, so this is no
// failure to report.
ProcessingPipeline::Outcome nothingToDo(const std::string& why)
{
    return {false, "left as it is: " + why, {}, why + ", left as it was"};
}

std::string joinFindings(const std::vector<std::string>& labels,
                         const std::vector<std::string>& findings)
{
    std::string report;
    for (size_t i = 0; i < labels.size(); ++i)
    {
        if (!report.empty()) report += "; ";
        report += labels[i];
        const std::string& finding = i < findings.size() ? findings[i] : std::string();
        report += finding.empty() ? std::string(": done") : ": " + finding;
    }
    return report;
}

std::string writeFailure(const WavFloatWriter& writer, const std::string& fallback)
{
    if (writer.systemError() == 0) return fallback;
    return "cannot write the processed file: " + std::string(std::strerror(writer.systemError()));
}
// Logs each pass's progress at every tenth and keeps the whole request's share done in done
// (if any).
ToolChain::Progress progressLog(Log& log, const std::string& name, std::atomic<double>* done)
{
    return [&log, name, done, lastTenth = -1](int pass, int passes, double passDone) mutable
    {
        if (done && passes > 0) *done = (pass - 1 + passDone) / passes;
        const int tenth = static_cast<int>(passDone * 10.0);
        if (tenth == lastTenth) return;
        lastTenth = tenth;
        log.detail(name + ": pass " + std::to_string(pass) + '/' + std::to_string(passes) + ' ' +
                   std::to_string(tenth * 10) + " %");
        if (tenth == 10) lastTenth = -1;
    };
}

std::string timing(const AudioFileReader& reader, std::chrono::steady_clock::time_point started)
{
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    char text[64];
    std::snprintf(text, sizeof text, "%zu samples at %d Hz in %.2f s", reader.length(),
                  reader.sampleRate(), seconds);
    return text;
}

} // namespace

ProcessingPipeline::Outcome ProcessingPipeline::run(const Request& request,
                                                    const std::atomic<bool>* stop,
                                                    std::atomic<double>* done)
{
    const auto started = std::chrono::steady_clock::now();
    const InterfaceFileGuard::Verdict verdict = InterfaceFileGuard::check(request.input);
    if (!verdict.accepted) return refused(verdict.error);

    std::string error;
    InterfaceFile file;
    if (!file.openDirectory(verdict.directory, verdict.name, error)) return refused(error);
    for (const std::string& name : file.sweepStaleTemporaries())
        log_.info("removed " + name + ", left in " + verdict.directory +
                  " by a companion that died");
    FileLockTable::Hold hold(locks_, file.key());
    // Another request on this file may have held it until the stop.
    if (stop && *stop) return refused(kStoppedReason);
    if (!file.openFile(error)) return refused(error);

    AudioFileReader reader;
    if (!reader.open(file.fd(), error)) return refused(error);
    ToolFactory::Plan plan = ToolFactory::build(request, reader.sampleRate());
    if (!plan.ok) return refused(plan.error);
    if (plan.tools.empty()) return nothingToDo("no tool is switched on");
    if (reader.length() == 0) return nothingToDo("the file holds no samples");

    if (!file.createReplacement(error)) return refused(error);
    WavFloatWriter writer(file.replacementFd(), static_cast<uint32_t>(reader.sampleRate()),
                          static_cast<uint32_t>(reader.length()));
    if (!writer.writeHeader())
        return refused(writeFailure(writer, "cannot write the temporary file"));

    const std::vector<std::string> labels = std::move(plan.labels);
    ToolChain chain(std::move(plan.tools));
    if (!chain.run(reader, writer, error, progressLog(log_, verdict.name, done), stop))
    {
        if (stop && *stop) return refused(kStoppedReason);
        return refused(writeFailure(writer, error));
    }
    if (!writer.finish())
        return refused(writeFailure(writer, "the processed file could not be completed on disk"));
    if (stop && *stop) return refused(kStoppedReason);
    if (!file.commitReplacement(error)) return refused(error);

    return {true,
            "processed (" + plan.summary + "): " + timing(reader, started),
            {},
            joinFindings(labels, chain.findings())};
}

} // namespace companion
