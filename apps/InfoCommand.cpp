#include "InfoCommand.h"

#include <CLI/CLI.hpp>

#include <cstdio>
#include <iomanip>
#include <iostream>
#include <memory>
#include <ostream>

#include "AAX_Errors.h"
#include "ExitCodes.h"
#include "HostSession.h"
#include "ParameterTable.h"

namespace orv::apps
{
namespace
{

std::string Hex(uint32 value)
{
    char text[16];
    std::snprintf(text, sizeof(text), "0x%08X", value);
    return text;
}

// The four characters of a code, when they are all printable.
std::string FourChars(uint32 value)
{
    std::string text;
    for (int shift = 24; shift >= 0; shift -= 8)
    {
        const char c = static_cast<char>((value >> shift) & 0xFF);
        if (c < 0x20 || c > 0x7E) return std::string();
        text += c;
    }
    return "'" + text + "'";
}

const char* ProcedureName(AAX_CProcPtrID id)
{
    switch (id)
    {
    case kAAX_ProcPtrID_Create_EffectParameters:
        return "effect parameters";
    case kAAX_ProcPtrID_Create_EffectGUI:
        return "editor";
    case kAAX_ProcPtrID_Create_HostProcessor:
        return "host processor";
    default:
        return "unknown";
    }
}

void PrintDescription(std::ostream& out, const host::PluginModule& module)
{
    const host::HostCollection& description = *module.Description();
    out << "module:       " << module.FilePath() << "\n";
    out << "package:      ";
    for (size_t i = 0; i < description.PackageNames().size(); ++i)
        out << (i ? ", " : "") << description.PackageNames()[i];
    out << " (version " << description.PackageVersion() << ")\n";
    out << "manufacturer: " << description.ManufacturerName() << "\n";
    for (const auto& effect : description.Effects())
    {
        const host::HostEffectDescriptor& descriptor = *effect.descriptor.get();
        out << "effect:       " << effect.id << "\n";
        out << "names:        ";
        for (size_t i = 0; i < descriptor.Names().size(); ++i)
            out << (i ? ", " : "") << descriptor.Names()[i];
        out << "\ncategory:     ";
        for (uint32 category : descriptor.Categories())
            out << category << " (" << Hex(category) << ") ";
        out << "\nproperties:\n";
        if (const host::HostPropertyMap* map = descriptor.Properties())
            for (const auto& entry : map->Entries())
                out << "  " << std::setw(4) << entry.first << "  " << Hex(entry.second) << "  "
                    << FourChars(static_cast<uint32>(entry.second)) << "\n";
        out << "procedures:\n";
        for (const auto& procedure : descriptor.Procedures())
            out << "  " << procedure.id << "  " << ProcedureName(procedure.id) << "\n";
    }
}

} // namespace

void InfoCommand::Register(CLI::App& app, int* exitCode)
{
    auto options = std::make_shared<Options>();
    CLI::App* command =
        app.add_subcommand("info", "Print the plug-in's description and parameter table");
    command->add_option("--module", options->modulePath, HostSession::kModuleOptionHelp);
    command->callback([options, exitCode] { *exitCode = Run(*options, std::cout, std::cerr); });
}

int InfoCommand::Run(const Options& options, std::ostream& out, std::ostream& err)
{
    std::string error;
    std::unique_ptr<HostSession> session = HostSession::Open(options.modulePath, &error);
    if (!session)
    {
        err << "orvendal-host info: " << error << "\n";
        return kExitUsage;
    }
    PrintDescription(out, session->Module());
    if (!session->CreateInstance({}, &error))
    {
        err << "orvendal-host info: " << error << "\n";
        return kExitFailure;
    }
    ParameterTable::Print(out, *session->Instance()->Parameters());
    return kExitSuccess;
}

} // namespace orv::apps
