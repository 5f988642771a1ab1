#include "SignalSummary.h"

#include <gtest/gtest.h>

#include <sndfile.h>

#include <cmath>
#include <vector>

#include "TempFolder.h"

using orv::apps::SignalSummary;

namespace
{

constexpr int kRate = 48000;

void WriteStereo(const std::string& path, const std::vector<float>& left,
                 const std::vector<float>& right)
{
    SF_INFO info = {};
    info.samplerate = kRate;
    info.channels = 2;
    info.format = SF_FORMAT_WAV | SF_FORMAT_FLOAT;
    SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
    ASSERT_NE(file, nullptr);
    std::vector<float> interleaved;
    for (size_t i = 0; i < left.size(); ++i)
    {
        interleaved.push_back(left[i]);
        interleaved.push_back(right[i]);
    }
    sf_writef_float(file, interleaved.data(), static_cast<sf_count_t>(left.size()));
    sf_close(file);
}

std::vector<float> Sine(double hz, double amplitude, size_t count)
{
    std::vector<float> out(count);
    for (size_t i = 0; i < count; ++i)
        out[i] = static_cast<float>(amplitude * std::sin(2.0 * M_PI * hz * i / kRate));
    return out;
}

TEST(SignalSummary, MeasuresPeakRmsLoudnessAndHumOfAKnownSignal)
{
    orv::test::TempFolder folder;
    const std::string path = folder / "signal.wav";
    // Left: 1 kHz at 0.5 plus 50 Hz hum at 0.1; right: 1 kHz at 0.25. Ten whole seconds, so
    // the hum holds a whole number of cycles.
    const size_t count = 10 * kRate;
    std::vector<float> left = Sine(1000.0, 0.5, count);
    const std::vector<float> hum = Sine(50.0, 0.1, count);
    for (size_t i = 0; i < count; ++i)
        left[i] += hum[i];
    WriteStereo(path, left, Sine(1000.0, 0.25, count));

    SignalSummary summary;
    std::string error;
    ASSERT_TRUE(SignalSummary::Measure(path, 50.0, &summary, &error)) << error;
    EXPECT_NEAR(summary.humDbfs, 20.0 * std::log10(0.1), 0.05);
    const double meanSquare = (0.5 * 0.5 / 2 + 0.1 * 0.1 / 2 + 0.25 * 0.25 / 2) / 2;
    EXPECT_NEAR(summary.rmsDbfs, 10.0 * std::log10(meanSquare), 0.05);
    EXPECT_LE(summary.peakDbfs, 20.0 * std::log10(0.6) + 1e-6);
    EXPECT_GT(summary.peakDbfs, 20.0 * std::log10(0.55));
    // A full-scale 1 kHz sine in one channel reads -3.01 LUFS; the two channels here carry
    // 0.5^2 + 0.25^2 of that power (the weighted hum adds next to nothing): -8.07 LUFS.
    EXPECT_NEAR(summary.loudnessLufs, -3.01 + 10.0 * std::log10(0.5 * 0.5 + 0.25 * 0.25), 0.15);

    // No hum at 60 Hz.
    ASSERT_TRUE(SignalSummary::Measure(path, 60.0, &summary, &error)) << error;
    EXPECT_LT(summary.humDbfs, -60.0);
}

TEST(SignalSummary, SilenceAndUnreadableFiles)
{
    orv::test::TempFolder folder;
    const std::string silent = folder / "silent.wav";
    WriteStereo(silent, std::vector<float>(kRate), std::vector<float>(kRate));
    SignalSummary summary;
    std::string error;
    ASSERT_TRUE(SignalSummary::Measure(silent, 50.0, &summary, &error)) << error;
    EXPECT_EQ(summary.peakDbfs, -200.0);
    EXPECT_EQ(summary.rmsDbfs, -200.0);
    EXPECT_EQ(summary.loudnessLufs, -200.0);
    EXPECT_EQ(summary.humDbfs, -200.0);

    EXPECT_FALSE(SignalSummary::Measure(folder / "missing.wav", 50.0, &summary, &error));
    EXPECT_NE(error.find("cannot read"), std::string::npos) << error;
}

} // namespace
