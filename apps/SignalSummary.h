#pragma once

#include <string>

namespace orv::apps
{

// Level figures of a sound file, for a before/after comparison: sample peak and RMS of all
// channels, integrated loudness (EBU R 128) and the level of a hum frequency in the first
// channel. Reads the file in blocks.
struct SignalSummary
{
    double peakDbfs = 0.0;
    double rmsDbfs = 0.0;
    double loudnessLufs = 0.0;
    double humDbfs = 0.0;

    // False with a message when the file cannot be read.
    static bool Measure(const std::string& path, double humHz, SignalSummary* outSummary,
                        std::string* outError);
};

} // namespace orv::apps
