#include "DeclickTool.h"
#include "SignalTestSupport.h"

#include <gtest/gtest.h>

namespace companion
{
namespace
{

constexpr double kRate = 48000.0;

// Two voices, a little noise and plucks: tones that start at full level and die away, the
// transients a de-clicker must leave alone.
std::vector<float> music()
{
    std::vector<float> x = test::sine(220.0, 0.2, kRate, 3 * 48000);
    test::add(x, test::sine(1330.0, 0.05, kRate, x.size()));
    test::add(x, test::noise(0.002, x.size()));
    for (size_t start = 20000; start < x.size(); start += 30000)
        for (size_t i = start; i < x.size(); ++i)
            x[i] += static_cast<float>(0.4 * std::exp(-static_cast<double>(i - start) / 4000.0) *
                                       std::sin(2.0 * test::kPi * 660.0 * (i - start) / kRate));
    return x;
}

TEST(DeclickTool, RemovesClicksAndLeavesEveryOtherSampleAsItWas)
{
    const std::vector<float> clean = music();
    std::vector<float> clicked = clean;
    clicked[40000] += 0.5f;
    const auto burst = test::noise(0.15, 24, 3);
    for (size_t i = 0; i < burst.size(); ++i)
        clicked[90000 + i] += burst[i];
    const auto out = test::runAligned(std::make_unique<DeclickTool>(10.0, kRate), clicked);
    ASSERT_EQ(out.size(), clicked.size());
    auto errorDb = [&](const std::vector<float>& x, size_t from, size_t to)
    {
        double energy = 0.0;
        for (size_t i = from; i < to; ++i)
            energy += (x[i] - clean[i]) * (x[i] - clean[i]);
        return 10.0 * std::log10(energy + 1e-30);
    };
    EXPECT_LT(errorDb(out, 39990, 40010), errorDb(clicked, 39990, 40010) - 25.0);
    EXPECT_LT(errorDb(out, 89990, 90034), errorDb(clicked, 89990, 90034) - 15.0);
    size_t changed = 0;
    for (size_t i = 0; i < out.size(); ++i)
    {
        if (out[i] == clicked[i]) continue;
        ++changed;
        EXPECT_TRUE((i >= 39990 && i < 40010) || (i >= 89990 && i < 90034)) << "sample " << i;
    }
    EXPECT_LT(changed, 60u);
}

TEST(DeclickTool, LeavesCleanMusicWithPlucksExactlyAsItWas)
{
    const std::vector<float> clean = music();
    for (int preset = 0; preset < 3; ++preset)
    {
        auto tool = std::make_unique<DeclickTool>(DeclickTool::presetThreshold(preset), kRate);
        const DeclickTool* seen = tool.get();
        AlignedStage stage(std::move(tool));
        std::vector<float> out;
        stage.push(clean.data(), clean.size(), out);
        stage.finish(out);
        EXPECT_EQ(out, clean) << "preset " << preset;
        EXPECT_EQ(seen->finding(), "no clicks found, left as it was");
    }
}

} // namespace
} // namespace companion
