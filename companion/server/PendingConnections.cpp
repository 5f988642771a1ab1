#include "PendingConnections.h"

namespace companion
{

PendingConnections::Connection& PendingConnections::add(UniqueFd fd, std::string peer,
                                                        Clock::time_point accepted)
{
    const int key = fd.get();
    order_.push_back(Connection{std::move(fd), std::move(peer), accepted, RequestReader(maxLineBytes_)});
    byFd_[key] = std::prev(order_.end());
    return order_.back();
}

PendingConnections::Connection* PendingConnections::find(int fd)
{
    const auto found = byFd_.find(fd);
    return found == byFd_.end() ? nullptr : &*found->second;
}

PendingConnections::Connection PendingConnections::take(int fd)
{
    const auto found = byFd_.find(fd);
    Connection connection = std::move(*found->second);
    order_.erase(found->second);
    byFd_.erase(found);
    return connection;
}

PendingConnections::Connection PendingConnections::takeOldest()
{
    return take(order_.front().fd.get());
}

} // namespace companion
