#pragma once

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "AAX_VViewContainer.h"
#include "CompanionProtocol.h"
#include "EditorFakeParameters.h"
#include "EditorRendering.h"
#include "FaultCompanion.h"
#include "HostViewContainer.h"
#include "OfflineParameterIDs.h"
#include "ProcessRequest.h"
#include "ScopedPath.h"
#include "TempFolder.h"

namespace orv::test
{

using host::validator::FaultCompanion;

// The editor's surroundings in unit tests: the effect's parameters (a stand-in), the host's
// view container (declining every mouse event) over the host's frame table, a test
// companion on the loopback port and a PATH that finds only what the test puts there.
struct EditorFixture
{
    static constexpr const char* kThreeTools =
        "{\"version\":\"2.0\",\"tools\":[\"Gain\",\"Normalize\",\"Band\"],"
        "\"presets\":[[\"-6 dB\",\"+6 dB\"],[\"Peak\",\"Loudness\",\"Soft\"],[]],"
        "\"rangeMax\":24000}";

    EditorFixture()
        : host(new host::HostViewContainer(view.getNativeHandle())), container(host.get())
    {
        using namespace OfflineParameterIDs;
        for (int i = 0; i < CompanionProtocol::kMaxTools; ++i)
        {
            parameters.DefineParameter(kToolSwitch[i], 0.0);
            parameters.DefineParameter(kToolPreset[i], 0.0);
        }
        parameters.DefineParameter(kRangeCheck, 0.0);
        parameters.DefineParameter(kRangeMin, 0.0);
        parameters.DefineParameter(kRangeMax, 0.5, 0.5);
        parameters.DefineParameter(kToolCount, 0.0);
        parameters.DefineParameter(kComm, 0.0);
    }

    bool StartCompanion(const std::string& answer)
    {
        companion.SetBehaviour(FaultCompanion::Behaviour::kAnswerParameters);
        companion.SetAnswer(answer);
        return companion.Start();
    }

    // An "orvendal-qv" on PATH that only leaves a mark, so a launch can be seen.
    void InstallFakeCompanionProgram()
    {
        const std::string program = bin / "orvendal-qv";
        std::ofstream(program) << "#!/bin/sh\n/usr/bin/touch '" << (bin / "launched") << "'\n";
        std::filesystem::permissions(program, std::filesystem::perms::owner_all);
    }

    // The number a process request built from the parameters now sends after key, e.g.
    // "rangeLow: " or "presets: [" (the first tool's preset).
    int Sent(const std::string& key) const
    {
        const std::string text = ProcessRequest::Build(&parameters, 48000.0f, "in.wav").text;
        const size_t at = text.find(key);
        return at == std::string::npos ? -1 : std::atoi(text.c_str() + at + key.size());
    }

    // The editor's control of parameter id as its own class, null when there is none.
    template <class Control, class Editor>
    static Control* ControlOf(const Editor* editor, const char* id)
    {
        return dynamic_cast<Control*>(editor->ControlFor(id));
    }

    FrameTableHost view;
    EditorFakeParameters parameters;
    ACFPtr<host::HostViewContainer> host;
    AAX_VViewContainer container;
    FaultCompanion companion;
    TempFolder bin;
    ScopedPath path{bin.Path()};
};

} // namespace orv::test
