// The context a check reports through: faults from several threads are all counted, and
// every report line arrives whole.

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "CheckContext.h"

using namespace orv::host::validator;

namespace
{

TEST(CheckContext, FaultsFromSeveralThreadsAreAllCountedAndWrittenWhole)
{
    constexpr int kThreads = 4;
    constexpr int kFaults = 300;
    std::ostringstream report;
    CheckContext context(CheckContext::Settings(), "threads", nullptr, report);
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t)
        threads.emplace_back(
            [&context, t]
            {
                const std::string message(40, static_cast<char>('a' + t));
                for (int i = 0; i < kFaults; ++i)
                    context.Fail(message);
            });
    for (auto& thread : threads)
        thread.join();

    EXPECT_EQ(context.FailureCount(), kThreads * kFaults);
    std::istringstream lines(report.str());
    int count = 0;
    for (std::string line; std::getline(lines, line); ++count)
    {
        const std::string prefix = "  FAIL threads: ";
        ASSERT_EQ(line.rfind(prefix, 0), 0u) << line;
        const std::string message = line.substr(prefix.size());
        ASSERT_EQ(message.size(), 40u) << line;
        EXPECT_EQ(message.find_first_not_of(message.front()), std::string::npos) << line;
    }
    EXPECT_EQ(count, kThreads * kFaults);
}

} // namespace
