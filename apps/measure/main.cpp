#include <CLI/CLI.hpp>

#include <cstdio>
#include <iostream>
#include <string>
#include <vector>

#include "ExitCodes.h"
#include "SignalSummary.h"

// orvendal-measure: the before/after table the demo prints. For each file: sample peak, RMS,
// integrated loudness and the level of the hum frequency.
int main(int argc, char** argv)
{
    CLI::App app{"orvendal-measure: peak, RMS, loudness and hum level of sound files"};
    std::vector<std::string> files;
    double humHz = 50.0;
    app.add_option("FILES", files, "Sound files to measure")->required();
    app.add_option("--hum", humHz, "Hum frequency, Hz")
        ->check(CLI::Range(1.0, 1000.0))
        ->capture_default_str();
    try
    {
        app.parse(argc, argv);
    }
    catch (const CLI::CallForHelp& help)
    {
        return app.exit(help);
    }
    catch (const CLI::ParseError& error)
    {
        std::cerr << "orvendal-measure: " << error.what() << " (see --help)\n";
        return orv::apps::kExitUsage;
    }

    std::printf("%-28s %10s %10s %12s %12s\n", "file", "peak dBFS", "RMS dBFS", "loudness LUFS",
                ("hum " + std::to_string(static_cast<int>(humHz)) + " Hz dBFS").c_str());
    for (const auto& file : files)
    {
        orv::apps::SignalSummary summary;
        std::string error;
        if (!orv::apps::SignalSummary::Measure(file, humHz, &summary, &error))
        {
            std::cerr << "orvendal-measure: " << error << "\n";
            return orv::apps::kExitUsage;
        }
        std::printf("%-28s %10.1f %10.1f %12.1f %12.1f\n", file.c_str(), summary.peakDbfs,
                    summary.rmsDbfs, summary.loudnessLufs, summary.humDbfs);
    }
    return orv::apps::kExitSuccess;
}
