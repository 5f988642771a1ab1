#pragma once

#include "CompanionConstants.h"
#include "ConnectionLoop.h"
#include "LiveJobs.h"
#include "Log.h"
#include "RequestHandler.h"
#include "UniqueFd.h"
#include "WorkQueue.h"

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace companion
{

// The TCP server on 127.0.0.1. One event-loop thread accepts connections and reads their
// request lines; it answers "parameters" and bad lines itself, at once, and hands each
// "process" request to a bounded queue that a fixed pool of workers serves. One request per
// connection, then the connection is closed. While a "process" request waits or runs, a
// heartbeat thread sends its client progress lines and stops the job of a client that has
// gone. The handler outlives the server.
class CompanionServer
{
public:
    struct Options
    {
        uint16_t port = kCompanionPort; // 0 picks a free port (see port())
        size_t workers = 4;
        size_t queueLimit = 32;               // "process" requests waiting for a worker
        int lineDeadlineMs = kLineDeadlineMs; // a client must send its whole line within this
        size_t maxConnections = 0; // still sending their line; 0: from the descriptor limit
    };

    CompanionServer(RequestHandler& handler, Log& log, Options options);
    ~CompanionServer();
    CompanionServer(const CompanionServer&) = delete;
    CompanionServer& operator=(const CompanionServer&) = delete;

    // Binds 127.0.0.1 on the port of the options and serves it.
    bool start(std::string& error);
    // Serves a socket that already listens (one handed over by the service manager).
    bool serve(UniqueFd listening, std::string& error);
    uint16_t port() const { return port_; }
    // Stops at once: a "process" under way is abandoned, its file left as it was, and every
    // request not served is answered with the error line. Joins every thread.
    void stop();

private:
    UniqueFd bindLoopback(std::string& error) const;
    void dispatch(UniqueFd fd, std::string peer, std::string line);
    void workerLoop();
    void heartbeatLoop();
    size_t connectionBudget() const;

    RequestHandler& handler_;
    Log& log_;
    Options options_;
    UniqueFd listen_;
    uint16_t port_ = 0;
    std::atomic<bool> stopping_{false};
    bool running_ = false;
    WorkQueue queue_;
    std::unique_ptr<ConnectionLoop> loop_;
    std::thread loopThread_;
    std::vector<std::thread> workers_;
    LiveJobs live_;
    std::thread heartbeat_;
    std::mutex heartbeatMutex_;
    std::condition_variable heartbeatWake_;
};

} // namespace companion
