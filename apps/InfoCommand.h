#pragma once

#include <iosfwd>
#include <string>

namespace CLI
{
class App;
}

namespace orv::apps
{

// "info": loads the module, prints the description it registered (package, manufacturer,
// effect identifier, names, category, properties, procedures) and, from a fresh instance,
// the parameter table (identifier, name, default, steps, type, current value text).
class InfoCommand
{
public:
    struct Options
    {
        std::string modulePath; // empty: the bundle beside the build
    };

    static void Register(CLI::App& app, int* exitCode);
    // Returns the exit code; errors go to err as one line.
    static int Run(const Options& options, std::ostream& out, std::ostream& err);
};

} // namespace orv::apps
