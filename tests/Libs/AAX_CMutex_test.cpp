#include "AAX_CMutex.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <future>
#include <thread>

namespace
{

TEST(AAX_CMutex, NestedLockByTheOwnerReturnsFalseWithoutBlocking)
{
    AAX_CMutex mutex;
    ASSERT_TRUE(mutex.Lock());
    EXPECT_FALSE(mutex.Lock());
    mutex.Unlock();

    // Released once: another thread can take it.
    auto other = std::async(std::launch::async,
                            [&mutex]
                            {
                                const bool locked = mutex.Lock();
                                if (locked) mutex.Unlock();
                                return locked;
                            });
    EXPECT_TRUE(other.get());
}

TEST(AAX_CMutex, UnlockFromANonOwnerLeavesTheLockWithItsOwner)
{
    AAX_CMutex mutex;
    ASSERT_TRUE(mutex.Lock());

    std::atomic<bool> otherHolds{false};
    std::thread intruder(
        [&]
        {
            mutex.Unlock(); // not the owner: ignored
        });
    intruder.join();

    std::thread waiter(
        [&]
        {
            if (mutex.Lock())
            {
                otherHolds = true;
                mutex.Unlock();
            }
        });
    // The waiter must still be blocked: the owner was not dislodged.
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_FALSE(otherHolds.load());
    mutex.Unlock();
    waiter.join();
    EXPECT_TRUE(otherHolds.load());
}

TEST(AAX_CMutex, GuardsACounterAcrossThreads)
{
    AAX_CMutex mutex;
    long counter = 0;
    constexpr int kRounds = 20000;
    auto work = [&]
    {
        for (int i = 0; i < kRounds; ++i)
        {
            const bool locked = mutex.Lock();
            ASSERT_TRUE(locked);
            ++counter;
            if (locked) mutex.Unlock();
        }
    };
    std::thread a(work), b(work);
    a.join();
    b.join();
    EXPECT_EQ(counter, 2L * kRounds);
}

} // namespace
