#include "ToolFactory.h"
#include "RequestParser.h"
#include "SignalTestSupport.h"

#include <gtest/gtest.h>

#include <ebur128.h>

namespace companion
{
namespace
{

Request process(std::vector<bool> tools, std::vector<int> presets, int low, int high)
{
    Request request;
    request.kind = RequestKind::Process;
    request.tools = std::move(tools);
    request.presets = std::move(presets);
    request.rangeLow = low;
    request.rangeHigh = high;
    request.input = "/x/Orvendal_interface_0.wav";
    return request;
}

TEST(ToolFactory, BuildsTheSwitchedOnToolsInOrder)
{
    const auto plan = ToolFactory::build(
        process({true, false, true, true, true}, {3, 9, 1, 0, 1}, 20, 2000), 48000.0);
    ASSERT_TRUE(plan.ok) << plan.error;
    EXPECT_EQ(plan.tools.size(), 4u);
    EXPECT_EQ(plan.summary,
              "Gain +3 dB, Denoise Medium, De-hum 50 Hz, Band Remove band, 20-2000 Hz");

    // The range is clamped to Nyquist; with only Normalize on it does not matter.
    const auto normalize = ToolFactory::build(process({false, true}, {0, 2}, 500, 100), 44100.0);
    ASSERT_TRUE(normalize.ok) << normalize.error;
    EXPECT_EQ(normalize.tools.size(), 1u);
    const auto range = ToolFactory::rangeFor(process({true}, {0}, -10, 96000), 44100.0);
    EXPECT_EQ(range.low, 0.0);
    EXPECT_EQ(range.high, 22050.0);
    EXPECT_TRUE(range.coversFullBand());

    const auto none = ToolFactory::build(process({false, false}, {0, 0}, 0, 0), 48000.0);
    ASSERT_TRUE(none.ok);
    EXPECT_TRUE(none.tools.empty());
}

double loudness(const std::vector<float>& x, double rate)
{
    ebur128_state* meter = ebur128_init(1, static_cast<unsigned long>(rate), EBUR128_MODE_I);
    ebur128_add_frames_float(meter, x.data(), x.size());
    double lufs = 0.0;
    ebur128_loudness_global(meter, &lufs);
    ebur128_destroy(&meter);
    return lufs;
}

TEST(ToolFactory, NormalizeRunsLastSoItsTargetHolds)
{
    // Gain (tool 1) -12 dB and Normalize (tool 2) to -16 LUFS: in tool order the gain would
    // pull the result 12 dB below the target.
    constexpr double kRate = 48000.0;
    std::vector<float> signal = test::sine(440.0, 0.05, kRate, 5 * 48000);
    test::add(signal, test::noise(0.005, signal.size()));
    auto plan = ToolFactory::build(process({true, true}, {0, 3}, 0, 24000), kRate);
    ASSERT_TRUE(plan.ok) << plan.error;
    ASSERT_EQ(plan.tools.size(), 2u);
    EXPECT_EQ(plan.summary, "Gain -12 dB, Normalize -16 LUFS, 0-24000 Hz");
    for (auto& tool : plan.tools)
        signal = test::runAligned(std::move(tool), signal);
    EXPECT_NEAR(loudness(signal, kRate), -16.0, 0.5);

    // De-hum goes before Denoise, which should not track hum lines as noise.
    const auto chain =
        ToolFactory::build(process({false, true, true, true}, {0, 0, 0, 0}, 0, 24000), kRate);
    ASSERT_TRUE(chain.ok) << chain.error;
    EXPECT_EQ(chain.labels, (std::vector<std::string>{"De-hum 50 Hz", "Denoise Light",
                                                      "Normalize Peak -1 dBFS"}));

    // The repairs of single samples go first, De-clip before De-click, whatever their
    // numbers; the range does not apply to them, so an empty one is no error.
    const auto repairs = ToolFactory::build(
        process({true, true, false, true, true, true, true}, {0, 0, 0, 0, 0, 1, 0}, 0, 24000),
        kRate);
    ASSERT_TRUE(repairs.ok) << repairs.error;
    EXPECT_EQ(repairs.labels,
              (std::vector<std::string>{"De-clip Auto", "De-click Medium", "De-hum 50 Hz",
                                        "Gain -12 dB", "Band Keep band", "Normalize Peak -1 dBFS"}));
    const auto rangeless = ToolFactory::build(
        process({false, false, false, false, false, true, true}, {0, 0, 0, 0, 0, 2, 0}, 0, 0),
        kRate);
    ASSERT_TRUE(rangeless.ok) << rangeless.error;
    EXPECT_EQ(rangeless.summary, "De-click Strong, De-clip Auto");
}

TEST(ToolFactory, RefusesWhatItCannotDo)
{
    const Request refused[] = {
        process({true}, {5}, 0, 24000),  // Gain has presets 0 to 4
        process({true}, {-1}, 0, 24000), // negative preset
        process({false, false, false, false, false, false, false, true}, {0, 0, 0, 0, 0, 0, 0, 0},
                0, 24000), // no tool 8
        process({true}, {0}, 3000, 2000), // empty band
        process({false, false, false, false, true}, {0, 0, 0, 0, 0}, 30000, 40000),
    };
    for (const Request& request : refused)
    {
        const auto plan = ToolFactory::build(request, 48000.0);
        EXPECT_FALSE(plan.ok);
        EXPECT_FALSE(plan.error.empty());
        EXPECT_TRUE(plan.tools.empty());
    }
}

} // namespace
} // namespace companion
