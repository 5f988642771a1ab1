#include "WorkQueue.h"

#include <gtest/gtest.h>

#include <thread>

namespace companion
{
namespace
{

WorkQueue::Job job(const std::string& peer)
{
    WorkQueue::Job made;
    made.peer = peer;
    return made;
}

TEST(WorkQueue, HoldsAtMostItsLimitInOrderAndHandsBackTheRestOnClose)
{
    WorkQueue queue(2);
    auto a = job("a");
    auto b = job("b");
    auto c = job("c");
    EXPECT_TRUE(queue.push(a));
    EXPECT_TRUE(queue.push(b));
    EXPECT_FALSE(queue.push(c));
    EXPECT_EQ(c.peer, "c"); // refused: still the caller's
    EXPECT_EQ(queue.pop()->peer, "a");
    EXPECT_TRUE(queue.push(c));

    const auto left = queue.close();
    ASSERT_EQ(left.size(), 2u);
    EXPECT_EQ(left[0].peer, "b");
    EXPECT_EQ(left[1].peer, "c");
    EXPECT_FALSE(queue.pop().has_value());
    auto d = job("d");
    EXPECT_FALSE(queue.push(d));
}

TEST(WorkQueue, CloseWakesWorkersThatWait)
{
    WorkQueue queue(4);
    std::vector<std::thread> workers;
    std::atomic<int> woken{0};
    for (int i = 0; i < 3; ++i)
        workers.emplace_back(
            [&]
            {
                if (!queue.pop()) ++woken;
            });
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_TRUE(queue.close().empty());
    for (auto& worker : workers)
        worker.join();
    EXPECT_EQ(woken, 3);
}

} // namespace
} // namespace companion
