#pragma once

#include "RequestReader.h"
#include "UniqueFd.h"

#include <chrono>
#include <cstddef>
#include <list>
#include <string>
#include <unordered_map>

namespace companion
{

// The connections still sending their request line, oldest first. All share one deadline
// length, so the oldest is also the first to run out of time and the first to be shed.
class PendingConnections
{
public:
    using Clock = std::chrono::steady_clock;

    struct Connection
    {
        UniqueFd fd;
        std::string peer;
        Clock::time_point accepted;
        RequestReader reader;
    };

    explicit PendingConnections(size_t maxLineBytes) : maxLineBytes_(maxLineBytes) {}

    Connection& add(UniqueFd fd, std::string peer, Clock::time_point accepted);
    // Null when the descriptor is not one of them.
    Connection* find(int fd);
    // Removes the connection and hands it over; `fd` must be one of them.
    Connection take(int fd);
    Connection takeOldest();
    const Connection* oldest() const { return order_.empty() ? nullptr : &order_.front(); }
    size_t size() const { return order_.size(); }
    bool empty() const { return order_.empty(); }

private:
    size_t maxLineBytes_;
    std::list<Connection> order_;
    std::unordered_map<int, std::list<Connection>::iterator> byFd_;
};

} // namespace companion
