#include "OfflinePassPlan.h"

#include <gtest/gtest.h>

#include <set>

namespace
{

using orv::host::validator::OfflinePass;
using orv::host::validator::OfflinePassPlan;

TEST(OfflinePassPlan, TakesEveryValueOfEveryAxisAndRepeatsForTheSameSeed)
{
    for (std::uint64_t seed : {1u, 2u, 99u})
    {
        std::mt19937_64 random(seed);
        const auto passes = OfflinePassPlan::Make(random, 5);
        std::set<int32> windows, rates, companions, channels;
        std::set<int64> lengths;
        for (const OfflinePass& pass : passes)
        {
            windows.insert(pass.window);
            rates.insert(pass.sampleRate);
            lengths.insert(pass.length);
            companions.insert(static_cast<int32>(pass.companion));
            channels.insert(pass.channels);
            EXPECT_GE(pass.length, 0);
            EXPECT_LE(pass.length, 1000000);
        }
        EXPECT_EQ(windows, std::set<int32>(OfflinePassPlan::WindowSizes().begin(),
                                           OfflinePassPlan::WindowSizes().end()));
        EXPECT_EQ(rates, std::set<int32>(OfflinePassPlan::SampleRates().begin(),
                                         OfflinePassPlan::SampleRates().end()));
        for (int64 length : OfflinePassPlan::Lengths())
            EXPECT_EQ(lengths.count(length), 1u) << length;
        EXPECT_EQ(companions.size(), static_cast<size_t>(OfflinePass::kCompanionKinds));
        EXPECT_EQ(channels, (std::set<int32>{1, 2}));
        // Twelve rates to cover, then the drawn ones.
        EXPECT_EQ(passes.size(), OfflinePassPlan::SampleRates().size() + 5);

        std::mt19937_64 again(seed);
        const auto repeated = OfflinePassPlan::Make(again, 5);
        ASSERT_EQ(repeated.size(), passes.size());
        for (size_t i = 0; i < passes.size(); ++i)
            EXPECT_EQ(repeated[i].Describe(), passes[i].Describe()) << i;
    }
    // Other seeds, other combinations.
    std::mt19937_64 one(1), two(2);
    EXPECT_NE(OfflinePassPlan::Make(one, 0).front().Describe() +
                  OfflinePassPlan::Make(one, 0).back().Describe(),
              OfflinePassPlan::Make(two, 0).front().Describe() +
                  OfflinePassPlan::Make(two, 0).back().Describe());
}

TEST(OfflinePassPlan, DescribesAPassByEveryAxis)
{
    OfflinePass pass;
    pass.window = 2027;
    pass.sampleRate = 12345;
    pass.length = 1000000;
    pass.channels = 2;
    pass.companion = OfflinePass::Companion::kWrongRate;
    EXPECT_EQ(pass.Describe(),
              "window 2027, 12345 Hz, 1000000 samples x 2, companion writes the wrong rate");
}

} // namespace
