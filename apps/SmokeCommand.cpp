#include "SmokeCommand.h"

#include <CLI/CLI.hpp>

#include <cstdio>
#include <iomanip>
#include <iostream>
#include <memory>
#include <ostream>

#include "AAX_CHostServices.h"
#include "AAX_Errors.h"
#include "AAX_VController.h"
#include "CACFUnknown.h"
#include "ReferenceHost.h"

namespace orv::apps
{
namespace
{

// The packet the smoke run posts: field 1, four recognisable bytes.
constexpr AAX_CFieldIndex kSmokeField = 1;
constexpr unsigned char kSmokePayload[] = {0x4F, 0x51, 0x56, 0x01};

bool Check(std::ostream& out, const char* step, AAX_Result result)
{
    out << "  " << std::left << std::setw(36) << step
        << (result == kResultSuccess ? "ok" : "FAILED") << " (" << result << ")\n";
    return result == kResultSuccess;
}

std::string Hex(int32 value)
{
    char text[16];
    std::snprintf(text, sizeof(text), "0x%08X", static_cast<unsigned>(value));
    return text;
}

void PrintRecord(std::ostream& out, const host::ReferenceHost& host)
{
    out << "recorded by the host:\n";
    const auto traces = host.Services().TraceLog();
    out << "  trace log (" << traces.size() << "):\n";
    for (const auto& trace : traces)
        out << "    [" << Hex(trace.priority) << "] " << trace.text << "\n";

    out << "  controller calls:";
    for (const auto& call : host.Controller().Log().Calls())
        out << " " << call;
    out << "\n";

    const auto packets = host.Controller().Packets();
    out << "  packets (" << packets.size() << "):\n";
    for (const auto& packet : packets)
    {
        out << "    field " << packet.field << ", " << packet.bytes.size() << " bytes:";
        for (unsigned char byte : packet.bytes)
        {
            char text[4];
            std::snprintf(text, sizeof(text), " %02X", byte);
            out << text;
        }
        out << "\n";
    }
    out << "  live plug-in components: " << CACFUnknown::GetActiveObjectCount() << "\n";
}

} // namespace

void SmokeCommand::Register(CLI::App& app, int* exitCode)
{
    auto options = std::make_shared<Options>();
    CLI::App* command =
        app.add_subcommand("smoke", "Drive the reference host through the host service wrappers");
    command->add_option("--sample-rate", options->sampleRate, "Sample rate the host reports, Hz")
        ->check(CLI::PositiveNumber)
        ->capture_default_str();
    command->callback([options, exitCode] { *exitCode = Run(*options, std::cout); });
}

int SmokeCommand::Run(const Options& options, std::ostream& out)
{
    host::ReferenceHost host;
    host.Controller().SetSampleRate(options.sampleRate);
    bool ok = true;

    out << "orvendal-host smoke: reference host and host service wrappers\n";
    AAX_CHostServices::Set(host.Context());
    ok &= Check(out, "start host services",
                AAX_CHostServices::Get() ? kResultSuccess : kResultNullObject);
    ok &= Check(out, "trace",
                AAX_CHostServices::Trace(AAX_eTracePriorityHost_Normal,
                                         "orvendal-host smoke: sample rate %.0f Hz requested",
                                         static_cast<double>(options.sampleRate)));
    {
        AAX_VController controller(host.Context());
        AAX_CSampleRate sampleRate = 0;
        ok &= Check(out, "read sample rate", controller.GetSampleRate(&sampleRate));
        out << "  sample rate: " << sampleRate << " Hz\n";
        if (sampleRate != options.sampleRate)
            ok &= Check(out, "sample rate matches", kResultInvalidParameterId);
        ok &= Check(out, "post packet",
                    controller.PostPacket(kSmokeField, kSmokePayload, sizeof(kSmokePayload)));
    }
    AAX_CHostServices::Set(nullptr);
    ok &= Check(out, "trace after shutdown is dropped",
                AAX_CHostServices::Trace(AAX_eTracePriorityHost_Normal, "dropped"));

    PrintRecord(out, host);
    const bool recorded =
        host.Services().TraceLog().size() == 1 && host.Controller().Packets().size() == 1;
    ok &= Check(out, "host recorded one trace, one packet",
                recorded ? kResultSuccess : kResultNullObject);
    out << (ok ? "smoke: OK\n" : "smoke: FAILED\n");
    return ok ? 0 : 1;
}

} // namespace orv::apps
