#include "ValidateCommand.h"

#include <CLI/CLI.hpp>

#include <filesystem>
#include <iostream>
#include <ostream>

#include "ExitCodes.h"
#include "HostSession.h"
#include "PluginModule.h"
#include "ValidationRunner.h"
#include "ValidatorChecks.h"

namespace orv::apps
{
namespace
{

using host::validator::ValidationCheck;
using host::validator::ValidationRunner;
using CheckList = std::vector<std::unique_ptr<ValidationCheck>>;

// The path as the repeat command shows it: absolute and without "..", when it exists.
std::string Tidy(const std::string& path)
{
    std::error_code error;
    const std::filesystem::path tidy = std::filesystem::weakly_canonical(path, error);
    return error ? path : tidy.string();
}

std::string Names(const CheckList& checks)
{
    std::string names;
    for (const auto& check : checks)
        names += (names.empty() ? "" : ", ") + std::string(check->Name());
    return names;
}

} // namespace

void ValidateCommand::Register(CLI::App& app, int* exitCode)
{
    auto options = std::make_shared<Options>();
    CLI::App* command = app.add_subcommand(
        "validate", "Check the plug-in module the way a strict host does; exit 0 when it passes");
    command->add_option("--module", options->modulePath, HostSession::kModuleOptionHelp);
    command
        ->add_option("--seed", options->seed,
                     "Seed of the random choices; a run with the same seed repeats exactly")
        ->capture_default_str();
    command
        ->add_option("--strictness", options->strictness,
                     "1 (quick) to 10 (every check at full count)")
        ->check(CLI::Range(1, 10))
        ->capture_default_str();
    command->add_option("--repeat", options->repeat, "Run the set N times, with seeds S, S+1, ...")
        ->check(CLI::PositiveNumber)
        ->capture_default_str();
    command->add_option("--only", options->only, "Run only the check with this name");
    command
        ->add_option("--evidence", options->evidenceFolder,
                     "Folder for the evidence of failed checks, one subfolder per check "
                     "and seed")
        ->capture_default_str();
    command->add_option("--companion", options->companionPath,
                        "The companion program for checks that start it (default: the one "
                        "of this build)");
    command->add_flag("--list", options->list, "Print the checks' names and what each holds to");
    command->callback([options, exitCode]
                      { *exitCode = Run(*options, ValidatorChecks(), std::cout, std::cerr); });
}

int ValidateCommand::Run(const Options& options, CheckList checks, std::ostream& out,
                         std::ostream& err)
{
    if (options.list)
    {
        for (const auto& check : checks)
            out << check->Name() << "  " << check->Summary() << "\n";
        return kExitSuccess;
    }
    if (!options.only.empty())
    {
        CheckList chosen;
        for (auto& check : checks)
            if (options.only == check->Name()) chosen.push_back(std::move(check));
        if (chosen.empty())
        {
            err << "orvendal-host validate: no check named \"" << options.only
                << "\" (checks: " << Names(checks) << ")\n";
            return kExitUsage;
        }
        checks = std::move(chosen);
    }
    if (options.strictness < 1 || options.strictness > 10 || options.repeat < 1)
    {
        err << "orvendal-host validate: --strictness takes 1 to 10 and --repeat at least 1\n";
        return kExitUsage;
    }

    ValidationRunner::Settings settings;
    settings.modulePath =
        Tidy(options.modulePath.empty() ? HostSession::DefaultModulePath() : options.modulePath);
    std::error_code error;
    if (!std::filesystem::exists(host::PluginModule::ModuleFilePath(settings.modulePath), error))
    {
        err << "orvendal-host validate: no module at " << settings.modulePath << "\n";
        return kExitUsage;
    }
    settings.companionPath =
        Tidy(options.companionPath.empty() ? HostSession::DefaultCompanionPath()
                                           : options.companionPath);
    settings.evidenceFolder = options.evidenceFolder;
    settings.seed = options.seed;
    settings.strictness = options.strictness;
    settings.repeat = options.repeat;
    // What the user chose beyond the standard options travels with the repeat command.
    if (!options.companionPath.empty())
        settings.extraOptions +=
            " --companion " + ValidationRunner::ShellQuote(options.companionPath);
    if (options.evidenceFolder != kDefaultEvidenceFolder)
        settings.extraOptions +=
            " --evidence " + ValidationRunner::ShellQuote(options.evidenceFolder);

    ValidationRunner runner(settings, out);
    const ValidationRunner::Totals totals = runner.Run(checks);
    return totals.failed == 0 ? kExitSuccess : kExitFailure;
}

} // namespace orv::apps
