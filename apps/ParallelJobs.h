#pragma once

#include <functional>

#include "AAX.h"

namespace orv::apps
{

// Runs numbered tasks on a few threads at once. Tasks are handed out in index order, each
// to the next free thread; the calling thread is one of them.
class ParallelJobs
{
public:
    static constexpr int32 kMaxThreads = 64;

    // The threads worth starting for count tasks: requested, or the machine's cores when it
    // is 0, kept within 1 and count (and kMaxThreads).
    static int32 ThreadCount(int32 requested, int32 count);

    // Runs task(0) to task(count - 1), each at most once, on up to threads threads, and
    // returns once every started task has returned. A task returning false stops the
    // handing out: the tasks after it that have not started are never run, so, as in a
    // loop that stops at the first failure, every task before a failed one has run.
    // Tasks are called from several threads at once (from the caller's only, for 1 thread).
    static void Run(int32 count, int32 threads, const std::function<bool(int32 task)>& task);
};

} // namespace orv::apps
