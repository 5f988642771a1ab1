#include "SignalSummary.h"

#include <ebur128.h>
#include <sndfile.h>

#include <algorithm>
#include <cmath>
#include <vector>

namespace orv::apps
{

namespace
{

constexpr long kBlockFrames = 8192;
constexpr double kSilenceDb = -200.0;

double Db(double amplitude)
{
    return amplitude > 0.0 ? 20.0 * std::log10(amplitude) : kSilenceDb;
}

} // namespace

bool SignalSummary::Measure(const std::string& path, double humHz, SignalSummary* outSummary,
                            std::string* outError)
{
    SF_INFO info = {};
    SNDFILE* file = sf_open(path.c_str(), SFM_READ, &info);
    if (!file)
    {
        *outError = "cannot read " + path + ": " + sf_strerror(nullptr);
        return false;
    }
    ebur128_state* meter =
        ebur128_init(static_cast<unsigned>(info.channels),
                     static_cast<unsigned long>(info.samplerate), EBUR128_MODE_I);
    // Goertzel filter at the hum frequency over the first channel.
    const double coefficient = 2.0 * std::cos(2.0 * M_PI * humHz / info.samplerate);
    double s1 = 0.0;
    double s2 = 0.0;
    double peak = 0.0;
    double sumSquares = 0.0;
    long long samples = 0;
    long long frames = 0;
    std::vector<float> block(static_cast<size_t>(kBlockFrames * info.channels));
    sf_count_t got = 0;
    while ((got = sf_readf_float(file, block.data(), kBlockFrames)) > 0)
    {
        if (meter) ebur128_add_frames_float(meter, block.data(), static_cast<size_t>(got));
        for (sf_count_t i = 0; i < got * info.channels; ++i)
        {
            const double x = block[static_cast<size_t>(i)];
            peak = std::max(peak, std::fabs(x));
            sumSquares += x * x;
        }
        for (sf_count_t frame = 0; frame < got; ++frame)
        {
            const double s0 =
                block[static_cast<size_t>(frame * info.channels)] + coefficient * s1 - s2;
            s2 = s1;
            s1 = s0;
        }
        samples += got * info.channels;
        frames += got;
    }
    sf_close(file);

    double loudness = -HUGE_VAL;
    if (meter)
    {
        ebur128_loudness_global(meter, &loudness);
        ebur128_destroy(&meter);
    }
    const double power = s1 * s1 + s2 * s2 - coefficient * s1 * s2;
    outSummary->peakDbfs = Db(peak);
    outSummary->rmsDbfs = samples > 0 ? Db(std::sqrt(sumSquares / samples)) : kSilenceDb;
    outSummary->loudnessLufs = std::isfinite(loudness) ? loudness : kSilenceDb;
    // A sine of amplitude A gives |X| = A * N / 2.
    outSummary->humDbfs =
        frames > 0 ? Db(2.0 * std::sqrt(std::max(power, 0.0)) / frames) : kSilenceDb;
    return true;
}

} // namespace orv::apps
