#pragma once

// Generated signals and measurements shared by the tool suites.
#include "AlignedStage.h"
#include "Tool.h"

#include <cmath>
#include <complex>
#include <memory>
#include <random>
#include <vector>

namespace companion::test
{

constexpr double kPi = 3.14159265358979323846;

inline std::vector<float> sine(double hz, double amplitude, double rate, size_t count)
{
    std::vector<float> out(count);
    for (size_t i = 0; i < count; ++i)
        out[i] = static_cast<float>(amplitude * std::sin(2.0 * kPi * hz * i / rate));
    return out;
}

inline std::vector<float> noise(double rms, size_t count, unsigned seed = 7)
{
    std::mt19937 generator(seed);
    std::normal_distribution<float> normal(0.0f, static_cast<float>(rms));
    std::vector<float> out(count);
    for (float& v : out)
        v = normal(generator);
    return out;
}

inline void add(std::vector<float>& to, const std::vector<float>& what)
{
    for (size_t i = 0; i < to.size() && i < what.size(); ++i)
        to[i] += what[i];
}

// Amplitude of the component at `hz` in samples [from, to): a Hann-windowed projection, so
// that other tones leak less than -120 dB into it.
inline double toneAmplitude(const std::vector<float>& x, double hz, double rate, size_t from,
                            size_t to)
{
    std::complex<double> sum = 0.0;
    double weights = 0.0;
    const double length = static_cast<double>(to - from);
    for (size_t i = from; i < to; ++i)
    {
        const double w = 0.5 - 0.5 * std::cos(2.0 * kPi * (i - from) / length);
        sum += w * static_cast<double>(x[i]) * std::polar(1.0, -2.0 * kPi * hz * i / rate);
        weights += w;
    }
    return 2.0 * std::abs(sum) / weights;
}

inline double db(double ratio)
{
    return 20.0 * std::log10(ratio);
}

// Streams the whole input through the tool (analysis first when it asks), aligned, in
// uneven blocks, as the chain does.
inline std::vector<float> runAligned(std::unique_ptr<Tool> tool, const std::vector<float>& in)
{
    AlignedStage stage(std::move(tool));
    for (int pass = 0; pass < stage.tool().analysisPasses(); ++pass)
    {
        stage.tool().analyze(in.data(), in.size());
        stage.tool().finishAnalysis();
    }
    stage.reset();
    std::vector<float> out;
    size_t block = 1000;
    for (size_t at = 0; at < in.size(); at += block, block = block * 3 % 7919 + 1)
        stage.push(in.data() + at, std::min(block, in.size() - at), out);
    stage.finish(out);
    return out;
}

} // namespace companion::test

namespace companion::test
{

// Ratio in dB of a tone's power to everything else in samples [from, to).
inline double snrDb(const std::vector<float>& x, double hz, double rate, size_t from, size_t to)
{
    std::complex<double> sum = 0.0;
    for (size_t i = from; i < to; ++i)
        sum += static_cast<double>(x[i]) * std::polar(1.0, -2.0 * kPi * hz * i / rate);
    const std::complex<double> fit = 2.0 * sum / static_cast<double>(to - from);
    double rest = 0.0;
    for (size_t i = from; i < to; ++i)
    {
        const double tone = std::real(fit * std::polar(1.0, 2.0 * kPi * hz * i / rate));
        rest += (x[i] - tone) * (x[i] - tone);
    }
    const double tonePower = std::norm(fit) / 2.0;
    return 10.0 * std::log10(tonePower / (rest / static_cast<double>(to - from)));
}

} // namespace companion::test

namespace companion::test
{

// Scale-invariant signal-to-distortion ratio in dB of `estimate` against `reference`, over
// the samples from `from` on.
inline double siSdr(const std::vector<float>& estimate, const std::vector<float>& reference,
                    size_t from = 0)
{
    double cross = 0.0;
    double energy = 0.0;
    for (size_t i = from; i < reference.size(); ++i)
    {
        cross += static_cast<double>(estimate[i]) * reference[i];
        energy += static_cast<double>(reference[i]) * reference[i];
    }
    double target = 0.0;
    double error = 0.0;
    for (size_t i = from; i < reference.size(); ++i)
    {
        const double t = cross / energy * reference[i];
        target += t * t;
        error += (estimate[i] - t) * (estimate[i] - t);
    }
    return error > 0.0 ? 10.0 * std::log10(target / error) : 300.0;
}

} // namespace companion::test
