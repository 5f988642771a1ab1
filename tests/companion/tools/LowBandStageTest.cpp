#include "LowBandStage.h"
#include "SignalTestSupport.h"

#include <gtest/gtest.h>

namespace companion
{
namespace
{

TEST(LowBandStage, ReducesNoiseUnderItsBandAndHandsTheRestOnAsItCame)
{
    // White noise with a 3 kHz tone throughout and a 200 Hz tone from 2 s on, through the
    // stage below 600 Hz (decimated by 8 at 48 kHz), fed in blocks that do not divide by 8.
    // Above the band the output is the input delayed, to rounding; below it the noise goes
    // down and the tone keeps its level.
    constexpr double kRate = 48000.0;
    constexpr size_t kCount = 8 * 48000;
    constexpr size_t kLead = 2 * 48000;
    std::vector<float> x = test::noise(0.05, kCount, 3);
    test::add(x, test::sine(3000.0, 0.3, kRate, kCount));
    std::vector<float> tone = test::sine(200.0, 0.3, kRate, kCount);
    std::fill(tone.begin(), tone.begin() + kLead, 0.0f);
    test::add(x, tone);

    LowBandStage stage({0.05, 0.94, 0.8, 0.98}, kRate, 4096, 1, 51, 28);
    ASSERT_EQ(stage.factor(), 8u);
    stage.analyze(x.data(), x.size());
    stage.learn(9, 52);
    stage.stage().setTracking(0.0); // the steady noise's profile, as DenoiseTool would choose
    const size_t latency = stage.latency();
    std::vector<float> in = x;
    in.resize(kCount + latency, 0.0f);
    std::vector<float> out(in.size());
    for (size_t at = 0; at < in.size(); at += 1001)
    {
        const size_t count = std::min<size_t>(1001, in.size() - at);
        stage.process(in.data() + at, out.data() + at, count);
    }
    const std::vector<float> aligned(out.begin() + static_cast<std::ptrdiff_t>(latency), out.end());
    std::vector<float> change(kCount);
    for (size_t i = 0; i < kCount; ++i)
        change[i] = aligned[i] - x[i];
    for (double hz : {1500.0, 3000.0, 7000.0, 15000.0})
        EXPECT_LT(test::toneAmplitude(change, hz, kRate, kLead, kCount), 1e-4) << hz;

    double noiseIn = 0.0;
    double noiseOut = 0.0;
    for (double hz = 250.0; hz < 550.0; hz += 23.0)
    {
        noiseIn += test::toneAmplitude(x, hz, kRate, kLead / 4, kLead);
        noiseOut += test::toneAmplitude(aligned, hz, kRate, kLead / 4, kLead);
    }
    EXPECT_LT(test::db(noiseOut / noiseIn), -10.0);
    EXPECT_NEAR(test::db(test::toneAmplitude(aligned, 200.0, kRate, kLead + 48000, kCount) / 0.3),
                0.0, 0.5);
}

} // namespace
} // namespace companion
