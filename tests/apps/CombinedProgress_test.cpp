#include "CombinedProgress.h"

#include <gtest/gtest.h>

#include <atomic>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

using orv::apps::CombinedProgress;
using Pass = orv::host::OfflineRenderDriver::Pass;

namespace
{

constexpr int32 kChannels = 4;
constexpr int64 kFrames = 3000;

struct Shown
{
    std::string label;
    int64 done;
    int64 total;
};

TEST(CombinedProgress, BothPassesOfEveryChannelCountTowardsOneTotal)
{
    std::vector<Shown> shown;
    CombinedProgress progress(2, 100,
                              [&shown](const std::string& label, int64 done, int64 total) {
                                  shown.push_back({label, done, total});
                              });
    progress.Update(0, Pass::kAnalysis, 50);
    progress.Update(0, Pass::kAnalysis, 40); // late and smaller: nothing changes
    progress.Update(1, Pass::kRender, 500);  // past the channel's length: counts its length
    progress.Update(2, Pass::kRender, 10);   // no such channel
    progress.Update(-1, Pass::kRender, 10);
    progress.Update(0, Pass::kRender, 100);
    progress.Update(1, Pass::kAnalysis, 100);
    progress.Update(0, Pass::kAnalysis, 100);
    ASSERT_EQ(shown.size(), 5u);
    const int64 expected[] = {50, 150, 250, 350, 400};
    for (size_t i = 0; i < shown.size(); ++i)
    {
        EXPECT_EQ(shown[i].label, "2 channels");
        EXPECT_EQ(shown[i].done, expected[i]) << i;
        EXPECT_EQ(shown[i].total, 400);
    }

    std::vector<Shown> single;
    CombinedProgress one(1, 10,
                         [&single](const std::string& label, int64 done, int64 total) {
                             single.push_back({label, done, total});
                         });
    one.Update(0, Pass::kAnalysis, 10);
    ASSERT_EQ(single.size(), 1u);
    EXPECT_EQ(single[0].label, "1 channel");
    EXPECT_EQ(single[0].total, 20);
}

TEST(CombinedProgress, ChannelsOnThreadsOfTheirOwnShowOneRisingLine)
{
    std::vector<Shown> shown;
    std::atomic<bool> overlapped{false};
    std::mutex inside;
    CombinedProgress progress(kChannels, kFrames,
                              [&](const std::string& label, int64 done, int64 total)
                              {
                                  // Never two displays at once, or the bars interleave.
                                  std::unique_lock<std::mutex> lock(inside, std::try_to_lock);
                                  if (!lock.owns_lock()) overlapped = true;
                                  shown.push_back({label, done, total});
                              });
    std::vector<std::thread> threads;
    for (int32 channel = 0; channel < kChannels; ++channel)
        threads.emplace_back(
            [&progress, channel]
            {
                for (const Pass pass : {Pass::kAnalysis, Pass::kRender})
                    for (int64 done = 7; done <= kFrames; done += 7)
                        progress.Update(channel, pass, std::min(done + 6, kFrames));
            });
    for (auto& thread : threads)
        thread.join();

    EXPECT_FALSE(overlapped.load());
    ASSERT_FALSE(shown.empty());
    for (size_t i = 1; i < shown.size(); ++i)
        ASSERT_GT(shown[i].done, shown[i - 1].done) << i;
    size_t finished = 0;
    for (const Shown& step : shown)
    {
        EXPECT_EQ(step.total, kChannels * 2 * kFrames);
        finished += step.done == step.total;
    }
    EXPECT_EQ(finished, 1u);
    EXPECT_EQ(shown.back().done, kChannels * 2 * kFrames);
}

} // namespace
