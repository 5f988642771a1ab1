#include "ValidationRunner.h"

#include <string.h>

#include <filesystem>
#include <fstream>
#include <ostream>
#include <sstream>

#include "CheckContext.h"
#include "CheckProcess.h"

namespace orv::host::validator
{
namespace
{

std::string SignalName(int signal)
{
    const char* abbreviation = ::sigabbrev_np(signal);
    if (abbreviation) return std::string("SIG") + abbreviation;
    return "signal " + std::to_string(signal);
}

std::string Seconds(std::chrono::milliseconds period)
{
    std::ostringstream text;
    text << static_cast<double>(period.count()) / 1000.0 << " s";
    return text.str();
}

} // namespace

// Single quotes keep a path with spaces or shell characters in one piece.
std::string ValidationRunner::ShellQuote(const std::string& text)
{
    std::string quoted = "'";
    for (char c : text)
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

ValidationRunner::ValidationRunner(Settings settings, std::ostream& out)
    : mSettings(std::move(settings)), mOut(out)
{
}

std::string ValidationRunner::EvidenceFolder(const ValidationCheck& check, std::uint64_t seed) const
{
    const std::filesystem::path folder = mSettings.evidenceFolder;
    return (folder / (std::string(check.Name()) + "-seed" + std::to_string(seed))).string();
}

std::string ValidationRunner::RepeatCommand(const ValidationCheck& check, std::uint64_t seed) const
{
    return mSettings.program + " --module " + ShellQuote(mSettings.modulePath) + " --seed " +
           std::to_string(seed) + " --strictness " + std::to_string(mSettings.strictness) +
           mSettings.extraOptions + " --only " + check.Name();
}

ValidationRunner::Totals
ValidationRunner::Run(const std::vector<std::unique_ptr<ValidationCheck>>& checks)
{
    Totals totals;
    CheckProcess process(mSettings.watchdog, mOut);
    for (int round = 0; round < mSettings.repeat; ++round)
    {
        const std::uint64_t seed = mSettings.seed + static_cast<std::uint64_t>(round);
        if (mSettings.repeat > 1) mOut << "seed " << seed << ":\n";
        for (const auto& check : checks)
        {
            CheckContext::Settings context;
            context.modulePath = mSettings.modulePath;
            context.companionPath = mSettings.companionPath;
            context.artifactFolder = EvidenceFolder(*check, seed);
            context.seed = seed;
            context.strictness = mSettings.strictness;
            // Evidence left by an earlier run of the same check would mislead.
            std::error_code ignored;
            std::filesystem::remove_all(context.artifactFolder, ignored);

            const CheckOutcome outcome = process.Run(*check, context);
            if (Report(*check, seed, outcome))
                ++totals.passed;
            else
                ++totals.failed;
        }
    }
    mOut << totals.passed << " passed, " << totals.failed << " failed" << std::endl;
    return totals;
}

bool ValidationRunner::Report(const ValidationCheck& check, std::uint64_t seed,
                              const CheckOutcome& outcome)
{
    const std::string name = check.Name();
    const std::string after = " after \"" + outcome.lastStep + "\"";
    switch (outcome.kind)
    {
    case CheckOutcome::Kind::kPassed:
        mOut << "PASS " << name << " (" << outcome.elapsed.count() << " ms)" << std::endl;
        return true;
    case CheckOutcome::Kind::kFailed:
        mOut << "FAIL " << name << " (" << outcome.faults
             << (outcome.faults == 1 ? " fault)" : " faults)") << '\n';
        break;
    case CheckOutcome::Kind::kCrashed:
        mOut << "CRASH " << name << ": "
             << (outcome.signal ? SignalName(outcome.signal)
                                : "exit code " + std::to_string(outcome.exitCode))
             << after << '\n';
        break;
    case CheckOutcome::Kind::kHung:
        mOut << "HANG " << name << ": no progress for " << Seconds(mSettings.watchdog) << after
             << '\n';
        break;
    case CheckOutcome::Kind::kNotRun:
        mOut << "FAIL " << name << ": not run: " << outcome.error << '\n';
        break;
    }

    const std::string folder = EvidenceFolder(check, seed);
    if (outcome.kind == CheckOutcome::Kind::kCrashed || outcome.kind == CheckOutcome::Kind::kHung)
    {
        // The step is the first thing to look at when a crash does not repeat.
        std::error_code error;
        std::filesystem::create_directories(folder, error);
        std::ofstream(std::filesystem::path(folder) / "last-step.txt") << outcome.lastStep << '\n';
    }
    mOut << "  repeat: " << RepeatCommand(check, seed) << '\n';
    std::error_code error;
    if (std::filesystem::exists(folder, error)) mOut << "  evidence: " << folder << '\n';
    mOut.flush();
    return false;
}

} // namespace orv::host::validator
