#pragma once

#include <chrono>
#include <cstdint>
#include <iosfwd>
#include <memory>
#include <string>
#include <vector>

#include "CheckOutcome.h"
#include "ValidationCheck.h"

namespace orv::host::validator
{

// Runs a list of checks in order, each in a process of its own (CheckProcess), as many
// rounds as asked with the seeds seed, seed + 1, ... It prints one line per check run
// ("PASS scan (83 ms)", "FAIL state (2 faults)", "CRASH ...", "HANG ..."), after any failure
// the command that repeats it and where its evidence is, and last "N passed, M failed".
// The checks are borrowed; the runner writes only to out and to the evidence folder.
class ValidationRunner
{
public:
    struct Settings
    {
        std::string modulePath;
        std::string companionPath;
        // Each check run leaves its evidence in <evidenceFolder>/<check>-seed<seed>.
        std::string evidenceFolder = "validate-evidence";
        std::uint64_t seed = 1;
        int strictness = 10;
        int repeat = 1;
        // Silence that counts as a hang.
        // Longer than the plug-in's 30 s silence limit, which one offline pass waits out.
        std::chrono::milliseconds watchdog{45000};
        // How the repeat command starts, and options it carries after the standard ones.
        std::string program = "orvendal-host validate";
        std::string extraOptions;
    };

    struct Totals
    {
        int passed = 0;
        int failed = 0;
    };

    ValidationRunner(Settings settings, std::ostream& out);

    Totals Run(const std::vector<std::unique_ptr<ValidationCheck>>& checks);

    // The folder one check run's evidence goes to.
    std::string EvidenceFolder(const ValidationCheck& check, std::uint64_t seed) const;
    // The command line that runs one check again with the same seed and strictness.
    std::string RepeatCommand(const ValidationCheck& check, std::uint64_t seed) const;
    // text as one shell word, whatever it holds.
    static std::string ShellQuote(const std::string& text);

private:
    // Prints the verdict line and what comes with a failure; true when the check passed.
    bool Report(const ValidationCheck& check, std::uint64_t seed, const CheckOutcome& outcome);

    Settings mSettings;
    std::ostream& mOut;
};

} // namespace orv::host::validator
