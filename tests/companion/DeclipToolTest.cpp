#include "DeclipTool.h"
#include "SignalTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace companion
{
namespace
{

constexpr double kRate = 48000.0;

float peak(const std::vector<float>& x)
{
    float top = 0.0f;
    for (float v : x)
        top = std::max(top, std::fabs(v));
    return top;
}

TEST(DeclipTool, RebuildsAClippedSineBeyondTheClipLevelAndLowersItToFit)
{
    // Clipped at half its amplitude, then turned up so the clip level sits at 0.95.
    const std::vector<float> clean = test::sine(441.0, 1.0, kRate, 2 * 48000);
    std::vector<float> clipped(clean.size());
    for (size_t i = 0; i < clean.size(); ++i)
        clipped[i] = 1.9f * std::clamp(clean[i], -0.5f, 0.5f);
    auto tool = std::make_unique<DeclipTool>(kRate);
    const DeclipTool* seen = tool.get();
    const auto out = test::runAligned(std::move(tool), clipped);
    ASSERT_EQ(out.size(), clean.size());
    EXPECT_NEAR(seen->level(true), 0.95, 0.003); // within 0.03 dB
    EXPECT_NEAR(seen->level(false), -0.95, 0.003);
    // The rebuilt peaks reach about twice the clip level; the whole file is lowered by
    // just what takes them under 0 dBFS.
    EXPECT_LE(peak(out), 1.0f);
    EXPECT_GT(peak(out), 0.999f);
    EXPECT_GT(peak(out) / seen->gain(), 1.6 * 0.95);
    EXPECT_LT(test::siSdr(clipped, clean), 15.0);
    EXPECT_GT(test::siSdr(out, clean, 4800), 35.0);
    EXPECT_NE(seen->finding().find("lowered 5."), std::string::npos) << seen->finding();
}

TEST(DeclipTool, LeavesUnclippedInputExactlyAsItWas)
{
    std::vector<float> clean = test::sine(300.0, 0.6, kRate, 48000);
    test::add(clean, test::noise(0.05, clean.size()));
    auto tool = std::make_unique<DeclipTool>(kRate);
    const DeclipTool* seen = tool.get();
    EXPECT_EQ(test::runAligned(std::move(tool), clean), clean);
    EXPECT_EQ(seen->finding(), "no clipping found, left as it was");
    EXPECT_EQ(seen->gain(), 1.0);
}

} // namespace
} // namespace companion
