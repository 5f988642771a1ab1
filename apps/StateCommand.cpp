#include "StateCommand.h"

#include <CLI/CLI.hpp>

#include <cstdio>
#include <functional>
#include <iostream>
#include <memory>
#include <ostream>

#include "ExitCodes.h"
#include "HostAutomationDelegate.h"
#include "HostSession.h"
#include "HostStateFile.h"
#include "ParameterTable.h"
#include "PluginSettings.h"

namespace orv::apps
{
namespace
{

std::string FourChars(uint32 code)
{
    std::string text = "'";
    for (int shift = 24; shift >= 0; shift -= 8)
    {
        const char c = static_cast<char>((code >> shift) & 0xFF);
        if (c < 0x20 || c > 0x7E)
        {
            char hex[16];
            std::snprintf(hex, sizeof(hex), "0x%08X", code);
            return hex;
        }
        text += c;
    }
    return text + "'";
}

// Whether the plug-in keeps a chunk of this ID: one of another ID it cannot restore, and
// comparing against it would mean nothing. The count is the plug-in's word, so it is bounded.
bool KeepsChunk(const AAX_IACFEffectParameters& parameters, AAX_CTypeID id)
{
    constexpr int32 kMaxChunks = 256;
    int32 count = 0;
    if (parameters.GetNumberOfChunks(&count) != kResultSuccess) return false;
    for (int32 index = 0; index < count && index < kMaxChunks; ++index)
    {
        AAX_CTypeID own = 0;
        if (parameters.GetChunkIDFromIndex(index, &own) == kResultSuccess && own == id) return true;
    }
    return false;
}

int Fail(std::ostream& err, int code, const std::string& message)
{
    err << "orvendal-host state: " << message << "\n";
    return code;
}

int SaveState(AAX_IACFEffectParameters& parameters, const std::string& file, std::ostream& out,
              std::ostream& err)
{
    std::string error;
    if (!host::HostStateFile::Save(parameters, file, &error)) return Fail(err, kExitFailure, error);
    out << "saved the plug-in's state to " << file << "\n";
    return kExitSuccess;
}

// The chunk's header, then the parameters once the file is restored into the plug-in.
int ShowState(AAX_IACFEffectParameters& parameters, const host::HostChunk& chunk,
              const std::string& file, const std::function<void()>& pump, std::ostream& out,
              std::ostream& err)
{
    const AAX_SPlugInChunk& record = *chunk.Record();
    out << "chunk " << FourChars(record.fChunkID) << " \"" << chunk.Name() << "\", version "
        << record.fVersion << ", " << chunk.DataSize() << " data bytes\n";
    out << "plug-in " << FourChars(record.fManufacturerID) << " " << FourChars(record.fProductID)
        << " " << FourChars(record.fPlugInID) << "\n";
    std::string error;
    if (!host::HostStateFile::Restore(parameters, file, &error))
        return Fail(err, kExitFailure, error);
    pump();
    ParameterTable::Print(out, parameters);
    return kExitSuccess;
}

int CompareState(AAX_IACFEffectParameters& parameters, const std::string& file, std::ostream& out,
                 std::ostream& err)
{
    bool equal = false;
    std::string error;
    if (!host::HostStateFile::Compare(parameters, file, &equal, &error))
        return Fail(err, kExitFailure, error);
    out << file << (equal ? " matches" : " differs from") << " the plug-in's state\n";
    return equal ? kExitSuccess : kExitFailure;
}

void AddCommon(CLI::App* command, const std::shared_ptr<StateCommand::Options>& options)
{
    command->add_option("FILE", options->file, "State file")->required();
    command->add_option("--module", options->modulePath, HostSession::kModuleOptionHelp);
}

} // namespace

void StateCommand::Register(CLI::App& app, int* exitCode)
{
    CLI::App* state = app.add_subcommand("state", "Save, show or compare the plug-in's state");
    state->require_subcommand(1);

    struct Entry
    {
        const char* name;
        const char* help;
        Action action;
        bool takesSettings;
    };
    const Entry entries[] = {
        {"save", "Save a fresh instance's state, after the settings, to FILE", Action::kSave, true},
        {"show", "Show the state chunk in FILE and the parameters it restores", Action::kShow,
         false},
        {"compare",
         "Compare FILE with a fresh instance's state after the settings (exit 0 "
         "same, 1 different)",
         Action::kCompare, true},
    };
    for (const Entry& entry : entries)
    {
        auto options = std::make_shared<Options>();
        options->action = entry.action;
        CLI::App* command = state->add_subcommand(entry.name, entry.help);
        AddCommon(command, options);
        if (entry.takesSettings)
            command
                ->add_option("--set", options->sets,
                             "Set parameter ID to the normalized VALUE (0-1) first; repeat "
                             "for more")
                ->type_name("ID=VALUE");
        command->callback([options, exitCode] { *exitCode = Run(*options, std::cout, std::cerr); });
    }
}

int StateCommand::Run(const Options& options, std::ostream& out, std::ostream& err)
{
    std::string error;
    PluginSettings settings;
    for (const auto& set : options.sets)
        if (!settings.AddSet(set, &error)) return Fail(err, kExitUsage, error);
    host::HostChunk chunk;
    if (options.action != Action::kSave && !host::HostStateFile::Read(options.file, &chunk, &error))
        return Fail(err, kExitUsage, error);

    std::unique_ptr<HostSession> session = HostSession::Open(options.modulePath, &error);
    if (!session) return Fail(err, kExitUsage, error);
    ACFPtr<host::HostAutomationDelegate> automation(new host::HostAutomationDelegate);
    if (!session->CreateInstance({automation.get()}, &error)) return Fail(err, kExitFailure, error);
    AAX_IACFEffectParameters& parameters = *session->Instance()->Parameters();
    automation->SetParameters(&parameters);
    const std::function<void()> pump = [&automation] { automation->Pump(); };

    int exitCode = kExitSuccess;
    if (options.action != Action::kSave && !KeepsChunk(parameters, chunk.Record()->fChunkID))
        exitCode = Fail(err, kExitUsage,
                        options.file + " holds chunk " + FourChars(chunk.Record()->fChunkID) +
                            ", which the plug-in cannot restore");
    else if (!settings.Apply(parameters, pump, &error))
        exitCode = Fail(err, kExitUsage, error);
    else if (options.action == Action::kSave)
        exitCode = SaveState(parameters, options.file, out, err);
    else if (options.action == Action::kShow)
        exitCode = ShowState(parameters, chunk, options.file, pump, out, err);
    else
        exitCode = CompareState(parameters, options.file, out, err);
    automation->SetParameters(nullptr);
    return exitCode;
}

} // namespace orv::apps
