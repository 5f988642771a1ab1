#pragma once

namespace companion
{

// The band a tool works on, already limited to [0, Nyquist] of the file's sample rate.
struct FrequencyRange
{
    double low = 0.0;  // Hz
    double high = 0.0; // Hz
    double sampleRate = 0.0;

    double nyquist() const { return sampleRate * 0.5; }
    // The plug-in sends whole hertz, so a top within 1 Hz of Nyquist means "everything".
    bool coversFullBand() const { return low <= 0.0 && high >= nyquist() - 1.0; }
};

} // namespace companion
