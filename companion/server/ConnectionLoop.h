#pragma once

#include "Log.h"
#include "PendingConnections.h"
#include "UniqueFd.h"

#include <atomic>
#include <chrono>
#include <functional>
#include <string>
#include <vector>

namespace companion
{

// One thread's event loop (epoll) that accepts connections and reads their request lines,
// so an idle or slow client costs a descriptor, never a worker. A line must arrive whole
// within the deadline from the connection's accept, or the connection is answered with the
// error line and closed. Past `maxPending` connections the oldest still sending its line
// is shed; a connection whose line is complete has left the loop and is never shed. A
// connection whose client socket is not found ESTABLISHED and owned by this process's user
// is answered with the error line at its accept, before anything of it is read.
class ConnectionLoop
{
public:
    using Clock = PendingConnections::Clock;

    struct Settings
    {
        std::chrono::milliseconds lineDeadline{10000};
        size_t maxPending = 1000;
        size_t maxLineBytes = 4096;
    };
    // Called on the loop's thread with each complete line; owns the connection from then on.
    using LineHandler = std::function<void(UniqueFd fd, std::string peer, std::string line)>;

    ConnectionLoop(Settings settings, Log& log, LineHandler onLine);
    ConnectionLoop(const ConnectionLoop&) = delete;
    ConnectionLoop& operator=(const ConnectionLoop&) = delete;

    // Watches `listenFd`, a non-blocking listening socket the caller owns and keeps open.
    bool open(int listenFd, std::string& error);
    // Serves until stop(); the connections still pending are closed on the way out.
    void run();
    // From any thread.
    void stop();

private:
    void acceptAll(Clock::time_point now);
    void readFrom(int fd);
    void expire(Clock::time_point now);
    void shedOldest(Clock::time_point now, const char* why);
    void refuse(PendingConnections::Connection connection, const std::string& why);
    void watchListener(bool on);
    int waitMs(Clock::time_point now) const;

    Settings settings_;
    Log& log_;
    LineHandler onLine_;
    PendingConnections pending_;
    UniqueFd epoll_;
    UniqueFd wake_;
    int listenFd_ = -1;
    bool listening_ = true;
    Clock::time_point listenAgain_{};
    std::atomic<bool> stopping_{false};
    std::vector<char> buffer_;
};

} // namespace companion
