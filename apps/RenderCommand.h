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

// "render IN OUT": runs the plug-in's analysis and render passes over a sound file with the
// tools, presets and range given, and writes OUT in the input's format. With "--channels
// all" (the default for multichannel input) the plug-in runs once per channel, each channel
// with an instance of its own on a thread of its own, up to "--jobs" at once (default: the
// machine's cores); the output is the same whatever the number. With "first" only the first
// channel is processed and the others are copied. Prints
// "status: CODE MESSAGE" last; exit 0 when the companion processed the audio, 3 when the
// plug-in fell back to the unchanged selection, 2 for bad arguments (nothing written).
class RenderCommand
{
public:
    struct Options
    {
        std::string input;
        std::string output;
        std::vector<std::string> tools;
        std::string range;
        int windowSize = 1024;
        std::string channels; // "first", "all", or empty for the default
        int jobs = 0;         // channels rendered at once, 1 to 64; 0 for the machine's cores
        std::string stateFile;
        std::string modulePath;
    };

    static void Register(CLI::App& app, int* exitCode);
    static int Run(const Options& options, std::ostream& out, std::ostream& err);
};

} // namespace orv::apps
