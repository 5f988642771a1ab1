#include "FileLockTable.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

namespace companion
{
namespace
{

TEST(FileLockTable, OneHolderPerKeyOthersRunFreely)
{
    FileLockTable table;
    std::atomic<int> insideA{0};
    std::atomic<bool> overlapped{false};
    std::vector<std::thread> threads;
    for (int i = 0; i < 6; ++i)
        threads.emplace_back(
            [&]
            {
                FileLockTable::Hold hold(table, "a");
                if (++insideA > 1) overlapped = true;
                std::this_thread::sleep_for(std::chrono::milliseconds(10));
                --insideA;
            });
    {
        // A different file is not held up by "a" (this would block otherwise).
        FileLockTable::Hold hold(table, "b");
    }
    for (auto& thread : threads)
        thread.join();
    EXPECT_FALSE(overlapped);
    EXPECT_EQ(insideA.load(), 0);
}

} // namespace
} // namespace companion
