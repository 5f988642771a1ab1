#pragma once

#include <iosfwd>

namespace CLI
{
class App;
}

namespace orv::apps
{

// "smoke": builds the reference host, starts the host services, traces through them,
// reads the sample rate and posts a packet through the controller wrapper, and prints what
// the host recorded. Exit code 0 when every step succeeded.
class SmokeCommand
{
public:
    struct Options
    {
        float sampleRate = 48000.0f;
    };

    // Registers the subcommand; the result of a run is stored in *exitCode.
    static void Register(CLI::App& app, int* exitCode);
    static int Run(const Options& options, std::ostream& out);
};

} // namespace orv::apps
