#include "WorkQueue.h"

namespace companion
{

bool WorkQueue::push(Job& job)
{
    {
        std::lock_guard<std::mutex> lock(mutex_);
        if (closed_ || jobs_.size() >= limit_) return false;
        jobs_.push_back(std::move(job));
    }
    ready_.notify_one();
    return true;
}

std::optional<WorkQueue::Job> WorkQueue::pop()
{
    std::unique_lock<std::mutex> lock(mutex_);
    ready_.wait(lock, [this] { return closed_ || !jobs_.empty(); });
    if (closed_) return std::nullopt;
    Job job = std::move(jobs_.front());
    jobs_.pop_front();
    return job;
}

std::vector<WorkQueue::Job> WorkQueue::close()
{
    std::vector<Job> left;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        closed_ = true;
        for (Job& job : jobs_)
            left.push_back(std::move(job));
        jobs_.clear();
    }
    ready_.notify_all();
    return left;
}

} // namespace companion
