#include "ParallelJobs.h"

#include <algorithm>
#include <atomic>
#include <system_error>
#include <thread>
#include <vector>

namespace orv::apps
{

int32 ParallelJobs::ThreadCount(int32 requested, int32 count)
{
    int32 threads = requested;
    if (threads <= 0) threads = static_cast<int32>(std::thread::hardware_concurrency());
    return std::max<int32>(1, std::min({threads, count, kMaxThreads}));
}

void ParallelJobs::Run(int32 count, int32 threads, const std::function<bool(int32 task)>& task)
{
    std::atomic<int32> next{0};
    std::atomic<bool> stopped{false};
    const auto work = [&]
    {
        while (!stopped.load())
        {
            const int32 index = next.fetch_add(1);
            if (index >= count) return;
            if (!task(index)) stopped.store(true);
        }
    };

    std::vector<std::thread> helpers;
    for (int32 i = 1; i < ThreadCount(threads, count); ++i)
    {
        try
        {
            helpers.emplace_back(work);
        }
        catch (const std::system_error&)
        {
            // Fewer threads only make the run slower: the tasks are still all handed out.
            break;
        }
    }
    work();
    for (auto& helper : helpers)
        helper.join();
}

} // namespace orv::apps
