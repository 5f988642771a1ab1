#include "DeclipTool.h"
#include "SignalTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace companion
{
namespace
{

constexpr double kRate = 48000.0;

struct Result
{
    std::vector<float> out;
    std::string finding;
    double gain, high, low;
};

// The tool's passes as the chain runs them, in uneven blocks.
Result declip(const std::vector<float>& in, size_t keptInMemory = DeclipTool::kKeptInMemory)
{
    AlignedStage stage(std::make_unique<DeclipTool>(kRate, keptInMemory));
    auto& tool = static_cast<DeclipTool&>(stage.tool());
    for (int pass = 0; pass < tool.analysisPasses(); ++pass)
    {
        for (size_t at = 0; at < in.size(); at += 7000)
            tool.analyze(in.data() + at, std::min<size_t>(7000, in.size() - at));
        tool.finishAnalysis();
    }
    stage.reset();
    Result result;
    for (size_t at = 0; at < in.size(); at += 5000)
        stage.push(in.data() + at, std::min<size_t>(5000, in.size() - at), result.out);
    stage.finish(result.out);
    result.finding = tool.finding();
    result.gain = tool.gain();
    result.high = tool.level(true);
    result.low = tool.level(false);
    return result;
}

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
    const std::vector<float> clean = test::sine(441.0, 1.0, kRate, 48000 / 2);
    std::vector<float> clipped(clean.size());
    for (size_t i = 0; i < clean.size(); ++i)
        clipped[i] = 1.9f * std::clamp(clean[i], -0.5f, 0.5f);
    const Result run = declip(clipped);
    const std::vector<float>& out = run.out;
    ASSERT_EQ(out.size(), clean.size());
    EXPECT_NEAR(run.high, 0.95, 0.003); // within 0.03 dB
    EXPECT_NEAR(run.low, -0.95, 0.003);
    // The rebuilt peaks reach about twice the clip level; the whole file is lowered by
    // just what takes them under 0 dBFS.
    EXPECT_LE(peak(out), 1.0f);
    EXPECT_GT(peak(out), 0.999f);
    EXPECT_GT(peak(out) / run.gain, 1.6 * 0.95);
    EXPECT_LT(test::siSdr(clipped, clean), 15.0);
    EXPECT_GT(test::siSdr(out, clean, 4800), 35.0);
    EXPECT_NE(run.finding.find(", lowered "), std::string::npos) << run.finding;
    // Kept past a few hundred samples in the temporary file instead: the same samples.
    const Result spilled = declip(clipped, 300);
    EXPECT_EQ(spilled.out, out);
    EXPECT_EQ(spilled.finding, run.finding);
}

TEST(DeclipTool, LeavesUnclippedInputExactlyAsItWas)
{
    std::vector<float> clean = test::sine(300.0, 0.6, kRate, 48000);
    test::add(clean, test::noise(0.05, clean.size()));
    const Result run = declip(clean);
    EXPECT_EQ(run.out, clean);
    EXPECT_EQ(run.finding, "no clipping found, left as it was");
    EXPECT_EQ(run.gain, 1.0);
    // A 1 kHz test tone: 48 samples a period lay every peak on the same value, a pile at the
    // top that was taken for clipping and rebuilt.
    const std::vector<float> tone = test::sine(1000.0, 0.25, kRate, 48000);
    const Result toneRun = declip(tone);
    EXPECT_EQ(toneRun.out, tone);
    EXPECT_EQ(toneRun.finding, "no clipping found, left as it was");
}

TEST(DeclipTool, LeavesASquareWaveAndALongRunAtTheRailExactlyAsTheyWere)
{
    std::vector<float> square(48000);
    for (size_t i = 0; i < square.size(); ++i)
        square[i] = (i / 24) % 2 ? -1.0f : 1.0f; // 1 kHz at full scale
    const Result tone = declip(square);
    EXPECT_EQ(tone.out, square);
    EXPECT_NE(tone.finding.find("not clipping), left as it was"), std::string::npos)
        << tone.finding;
    // Noise with 20 ms held at the rail (one run, far too long to be clipping) and two peaks
    // that touch it (no pile once the run is set aside).
    std::vector<float> railed = test::noise(0.1, 48000);
    std::fill(railed.begin() + 20000, railed.begin() + 20960, 1.0f);
    railed[5000] = railed[30000] = 1.0f;
    const Result rail = declip(railed);
    EXPECT_EQ(rail.out, railed);
    EXPECT_EQ(rail.gain, 1.0);
    EXPECT_EQ(rail.finding, "1 run at -0.0 dBFS too long to be clipping, left as it was");
}

} // namespace
} // namespace companion
