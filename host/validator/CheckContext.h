#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <iosfwd>
#include <mutex>
#include <random>
#include <string>

namespace orv::host::validator
{

// What a running check gets from the validator: the module under test, the seed and the
// strictness of the run, a random generator seeded for this check, the progress signal the
// watchdog listens to, and the place where a failing check leaves its evidence (parameter
// values, state chunks, audio) so the failure can be studied and repeated. Used by one
// check; Progress, Fail, Info and SaveArtifact may also come from its worker threads, while
// Random belongs to the check's own thread.
class CheckContext
{
public:
    struct Settings
    {
        std::string modulePath;
        // The folder evidence goes to; created on the first SaveArtifact.
        std::string artifactFolder;
        // The companion program to start for checks that want the real one (may be empty).
        std::string companionPath;
        std::uint64_t seed = 1;
        int strictness = 10;
    };

    // progress: called on every Progress with the step's description (may be empty).
    // report: where Fail and Info lines go.
    CheckContext(Settings settings, std::string checkName,
                 std::function<void(const std::string& step)> progress, std::ostream& report);

    const std::string& ModulePath() const { return mSettings.modulePath; }
    const std::string& CompanionPath() const { return mSettings.companionPath; }
    std::uint64_t Seed() const { return mSettings.seed; }
    int Strictness() const { return mSettings.strictness; }
    const std::string& CheckName() const { return mCheckName; }

    // Seeded from the run's seed and the check's name, so each check draws the same numbers
    // whether it runs alone (--only) or with the others.
    std::mt19937_64& Random() { return mRandom; }
    // A uniform draw in [0, 1].
    double UniformUnit();
    // fullCount at strictness 10, proportionally fewer below it, and never less than 1.
    std::int64_t Scaled(std::int64_t fullCount) const;

    // Tells the watchdog the check is alive; step names what comes next, and is what the
    // validator reports as the last step when the check then crashes or hangs.
    void Progress(const std::string& step = std::string());

    // Records a fault; the check goes on unless it cannot.
    void Fail(const std::string& message);
    // A line of information in the report (what was measured, what was skipped).
    void Info(const std::string& message);
    int FailureCount() const { return mFailures.load(); }
    bool Failed() const { return mFailures.load() > 0; }

    // Writes evidence into the artifact folder as fileName and returns the path written, or
    // an empty string (with a Fail) when it cannot be written. The path goes in the report.
    std::string SaveArtifact(const std::string& fileName, const void* data, std::size_t size);
    std::string SaveArtifact(const std::string& fileName, const std::string& text);

private:
    void Report(const std::string& line);

    Settings mSettings;
    std::string mCheckName;
    std::function<void(const std::string&)> mProgress;
    std::ostream& mReport;
    std::mt19937_64 mRandom;
    // Fail, Info and SaveArtifact may come from a check's worker threads: the count is
    // atomic and each report line is written whole under the lock.
    std::atomic<int> mFailures{0};
    std::mutex mReportMutex;
};

} // namespace orv::host::validator
