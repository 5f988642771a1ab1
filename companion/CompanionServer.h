#pragma once

#include "CompanionConstants.h"
#include "Log.h"
#include "RequestHandler.h"

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace companion
{

// The TCP server on 127.0.0.1: one thread accepts connections, a fixed pool of workers
// serves them (one request each, then the connection is closed). Connections beyond the
// pool wait in a bounded queue; past that they are closed at once. The handler outlives
// the server.
class CompanionServer
{
public:
    struct Options
    {
        uint16_t port = kCompanionPort; // 0 picks a free port (see port())
        size_t workers = 4;
        size_t queueLimit = 32;
        int receiveTimeoutMs = 10000; // a client must send its line within this
    };

    CompanionServer(RequestHandler& handler, Log& log, Options options);
    ~CompanionServer();
    CompanionServer(const CompanionServer&) = delete;
    CompanionServer& operator=(const CompanionServer&) = delete;

    bool start(std::string& error);
    uint16_t port() const { return port_; }
    // Stops accepting, lets the workers finish what they serve, and joins every thread.
    void stop();

private:
    void acceptLoop();
    void workerLoop();
    void serve(int fd);

    RequestHandler& handler_;
    Log& log_;
    Options options_;
    int listenFd_ = -1;
    uint16_t port_ = 0;
    std::atomic<bool> running_{false};
    std::thread acceptor_;
    std::vector<std::thread> workers_;
    std::mutex mutex_;
    std::condition_variable ready_;
    std::deque<int> queue_;
};

} // namespace companion
