#pragma once

#include "LiveJobs.h"
#include "Request.h"
#include "UniqueFd.h"

#include <condition_variable>
#include <cstddef>
#include <deque>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

namespace companion
{

// The "process" requests waiting for a worker, first come first served, at most `limit`.
class WorkQueue
{
public:
    struct Job
    {
        UniqueFd fd;
        std::string peer;
        Request request;
        LiveJobs::Handle live; // its heartbeat and stop flag
    };

    explicit WorkQueue(size_t limit) : limit_(limit) {}

    // False when the queue is full or closed; the job is then left with the caller.
    bool push(Job& job);
    // Waits for a job; empty once the queue is closed.
    std::optional<Job> pop();
    // Wakes every waiting pop() and hands back the jobs no worker took.
    std::vector<Job> close();

private:
    size_t limit_;
    std::mutex mutex_;
    std::condition_variable ready_;
    std::deque<Job> jobs_;
    bool closed_ = false;
};

} // namespace companion
