#include "LiveJobs.h"

#include "CompanionProtocol.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>

#include <poll.h>
#include <sys/socket.h>

namespace companion
{

namespace
{

// A peer that closed its socket answers our next bytes with a reset: the poll then shows an
// error or hang-up. A half-closed client (only its sending side shut) still reads, so stays.
bool clientGone(int fd)
{
    pollfd watched{fd, 0, 0};
    return ::poll(&watched, 1, 0) > 0 && (watched.revents & (POLLERR | POLLHUP | POLLNVAL));
}

// Sends what the socket takes now; false when the peer is gone.
bool sendSome(int fd, std::string& text)
{
    while (!text.empty())
    {
        const ssize_t sent = ::send(fd, text.data(), text.size(), MSG_NOSIGNAL | MSG_DONTWAIT);
        if (sent < 0 && errno == EINTR) continue;
        if (sent < 0) return errno == EAGAIN || errno == EWOULDBLOCK;
        text.erase(0, static_cast<size_t>(sent));
    }
    return true;
}

} // namespace

LiveJobs::Handle LiveJobs::add(int fd)
{
    Handle job = std::make_shared<Job>(fd);
    std::lock_guard<std::mutex> lock(mutex_);
    jobs_.push_back(job);
    beatOne(*job);
    return job;
}

std::string LiveJobs::remove(const Handle& job)
{
    std::lock_guard<std::mutex> lock(mutex_);
    jobs_.erase(std::remove(jobs_.begin(), jobs_.end(), job), jobs_.end());
    return std::move(job->unsent);
}

void LiveJobs::beat()
{
    std::lock_guard<std::mutex> lock(mutex_);
    for (const Handle& job : jobs_)
        beatOne(*job);
}

void LiveJobs::beatOne(Job& job)
{
    if (job.gone) return;
    // A client that does not read keeps its unsent rest; it gets no new line meanwhile.
    if (job.unsent.empty()) job.unsent = progressLine(job.done);
    if (!sendSome(job.fd, job.unsent) || clientGone(job.fd))
    {
        job.gone = true;
        job.stop = true;
    }
}

void LiveJobs::stopAll()
{
    std::lock_guard<std::mutex> lock(mutex_);
    for (const Handle& job : jobs_)
        job->stop = true;
}

std::string LiveJobs::progressLine(double done)
{
    char line[48];
    std::snprintf(line, sizeof line, "%s%.3f}\n", CompanionProtocol::ProgressAnswer::kPrefix,
                  std::clamp(done, 0.0, 1.0));
    return line;
}

} // namespace companion
