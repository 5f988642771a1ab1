#include "ParallelJobs.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>
#include <vector>

using orv::apps::ParallelJobs;

namespace
{

// Holds the first arrivals until `expected` tasks are inside at once (or 10 s pass, which
// only a scheduler that never overlaps them would need).
class Rendezvous
{
public:
    explicit Rendezvous(int expected) : mExpected(expected) {}
    // True when every expected task arrived.
    bool Arrive()
    {
        std::unique_lock<std::mutex> lock(mMutex);
        ++mArrived;
        mChanged.notify_all();
        return mChanged.wait_for(lock, std::chrono::seconds(10),
                                 [this] { return mArrived >= mExpected; });
    }

private:
    const int mExpected;
    std::mutex mMutex;
    std::condition_variable mChanged;
    int mArrived = 0;
};

TEST(ParallelJobs, ThreadCountIsTheRequestOrTheCoresWithinOneAndTheTasks)
{
    const int32 cores = static_cast<int32>(std::thread::hardware_concurrency());
    const int32 byDefault = std::max<int32>(1, std::min<int32>(cores, ParallelJobs::kMaxThreads));
    EXPECT_EQ(ParallelJobs::ThreadCount(0, 1000), byDefault);
    EXPECT_EQ(ParallelJobs::ThreadCount(-3, 1000), byDefault);
    EXPECT_EQ(ParallelJobs::ThreadCount(0, 1), 1);
    EXPECT_EQ(ParallelJobs::ThreadCount(3, 8), 3);
    EXPECT_EQ(ParallelJobs::ThreadCount(8, 3), 3);
    EXPECT_EQ(ParallelJobs::ThreadCount(1, 64), 1);
    EXPECT_EQ(ParallelJobs::ThreadCount(500, 500), ParallelJobs::kMaxThreads);
    EXPECT_EQ(ParallelJobs::ThreadCount(4, 0), 1);
}

TEST(ParallelJobs, EveryTaskRunsOnceWithTheThreadsAtOnce)
{
    constexpr int32 kTasks = 200;
    constexpr int32 kThreads = 4;
    std::vector<std::atomic<int>> runs(kTasks);
    std::atomic<int> active{0};
    std::atomic<int> mostActive{0};
    std::atomic<int> metAll{0};
    Rendezvous first(kThreads);
    ParallelJobs::Run(kTasks, kThreads,
                      [&](int32 task)
                      {
                          const int now = active.fetch_add(1) + 1;
                          int seen = mostActive.load();
                          while (now > seen && !mostActive.compare_exchange_weak(seen, now))
                          {
                          }
                          // The first tasks, one per thread, must be able to run side by side.
                          if (task < kThreads && first.Arrive()) metAll.fetch_add(1);
                          runs[static_cast<size_t>(task)].fetch_add(1);
                          active.fetch_sub(1);
                          return true;
                      });
    for (int32 task = 0; task < kTasks; ++task)
        EXPECT_EQ(runs[static_cast<size_t>(task)].load(), 1) << "task " << task;
    EXPECT_EQ(metAll.load(), kThreads);
    EXPECT_EQ(mostActive.load(), kThreads);
}

TEST(ParallelJobs, AFailedTaskStopsTheHandingOutButEveryEarlierTaskRuns)
{
    // One thread: exactly the loop that stops at the first failure, on the caller's thread.
    std::vector<int32> order;
    bool onCaller = true;
    const std::thread::id caller = std::this_thread::get_id();
    ParallelJobs::Run(10, 1,
                      [&](int32 task)
                      {
                          order.push_back(task);
                          onCaller = onCaller && std::this_thread::get_id() == caller;
                          return task != 3;
                      });
    EXPECT_EQ(order, (std::vector<int32>{0, 1, 2, 3}));
    EXPECT_TRUE(onCaller);

    constexpr int32 kTasks = 400;
    constexpr int32 kFailing = 37;
    std::vector<std::atomic<int>> runs(kTasks);
    ParallelJobs::Run(kTasks, 4,
                      [&](int32 task)
                      {
                          runs[static_cast<size_t>(task)].fetch_add(1);
                          if (task == kFailing) return false;
                          // Slow beside the failing one, so the stop comes long before the
                          // end of the tasks.
                          std::this_thread::sleep_for(std::chrono::milliseconds(1));
                          return true;
                      });
    for (int32 task = 0; task <= kFailing; ++task)
        EXPECT_EQ(runs[static_cast<size_t>(task)].load(), 1) << "task " << task;
    int32 ran = 0;
    for (const auto& count : runs)
        ran += count.load();
    EXPECT_LT(ran, kTasks) << "nothing stopped after the failure";
}

} // namespace
