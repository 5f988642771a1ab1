#pragma once

#include <atomic>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace companion
{

// The "process" connections between their request and their answer. A heartbeat sends each
// a progress line (CompanionProtocol.h) so its client can tell a long file from a hung
// companion, and notices a client that has gone: its job is then told to stop, so nothing
// is written for a client that gave up. Sends never wait; a line the socket could not take
// whole is finished before the next one or before the answer, so lines never interleave.
class LiveJobs
{
public:
    struct Job
    {
        explicit Job(int socket) : fd(socket) {}
        const int fd;                  // owned by the caller, open until remove()
        std::atomic<bool> stop{false}; // the client is gone, or the companion stops
        std::atomic<double> done{0.0}; // fraction processed, 0 while waiting
        std::atomic<bool> gone{false}; // the client closed its end
        std::string unsent;            // the rest of a line the socket could not take
    };
    using Handle = std::shared_ptr<Job>;

    // Registers the job and sends its first progress line at once, so its client knows the
    // companion took it.
    Handle add(int fd);
    // Takes the job out of the heartbeat; returns what must precede its answer.
    std::string remove(const Handle& job);
    // One heartbeat: a progress line to each job whose client is still there.
    void beat();
    // Tells every job to stop.
    void stopAll();

    static std::string progressLine(double done);

private:
    void beatOne(Job& job);

    std::mutex mutex_;
    std::vector<Handle> jobs_;
};

} // namespace companion
