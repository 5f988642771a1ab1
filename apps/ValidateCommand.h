#pragma once

#include <cstdint>
#include <iosfwd>
#include <memory>
#include <string>
#include <vector>

#include "ValidationCheck.h"

namespace CLI
{
class App;
}

namespace orv::apps
{

// "validate": holds the built module to what a strict host expects. Runs every check (or
// the one --only names) in a process of its own with a watchdog, --repeat times with the
// seeds --seed, --seed + 1, ...; prints a line per check, how to repeat each failure and
// where its evidence went, and last "N passed, M failed". Exit 0 only when nothing failed.
class ValidateCommand
{
public:
    static constexpr std::uint64_t kDefaultSeed = 1;
    static constexpr const char* kDefaultEvidenceFolder = "validate-evidence";

    struct Options
    {
        std::string modulePath;    // empty: the bundle beside the build
        std::string companionPath; // empty: the companion beside the build
        std::string evidenceFolder = kDefaultEvidenceFolder;
        std::uint64_t seed = kDefaultSeed;
        int strictness = 10;
        int repeat = 1;
        std::string only; // empty: every check
        bool list = false;
    };

    static void Register(CLI::App& app, int* exitCode);
    // Runs checks as the options say; returns the exit code. Errors go to err as one line.
    static int Run(const Options& options,
                   std::vector<std::unique_ptr<host::validator::ValidationCheck>> checks,
                   std::ostream& out, std::ostream& err);
};

} // namespace orv::apps
