#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace CLI
{
class App;
}

namespace orv::apps
{

// "state save|show|compare FILE": the plug-in's 'elck' state chunk as a file, as a host keeps
// it with its documents and presets.
//   save FILE [--set ID=VALUE]...  a fresh instance's state, after the settings, to FILE
//   show FILE                      the chunk's header and the parameters it restores
//   compare FILE [--set ID=VALUE]... whether FILE matches a fresh instance's state (after
//                                  the settings): exit 0 when it does, 1 when it differs
class StateCommand
{
public:
    enum class Action
    {
        kSave,
        kShow,
        kCompare,
    };

    struct Options
    {
        Action action = Action::kShow;
        std::string file;
        std::vector<std::string> sets;
        std::string modulePath;
    };

    static void Register(CLI::App& app, int* exitCode);
    static int Run(const Options& options, std::ostream& out, std::ostream& err);
};

} // namespace orv::apps
