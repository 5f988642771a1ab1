#include "ConnectionLoop.h"

#include "CompanionConstants.h"
#include "ErrorAnswer.h"
#include "SocketIo.h"
#include "SocketOwner.h"

#include <cerrno>
#include <cstring>

#include <sys/epoll.h>
#include <sys/eventfd.h>
#include <sys/socket.h>
#include <unistd.h>

namespace companion
{

namespace
{
// Accepts per wake-up, so a flood of connections cannot starve the reads.
constexpr int kAcceptBatch = 64;
// Out of descriptors with nothing to shed: accepting pauses this long instead of spinning.
constexpr auto kAcceptPause = std::chrono::milliseconds(50);
constexpr int kEvents = 256;

long long elapsedMs(PendingConnections::Clock::time_point since,
                    PendingConnections::Clock::time_point now)
{
    return std::chrono::duration_cast<std::chrono::milliseconds>(now - since).count();
}
} // namespace

ConnectionLoop::ConnectionLoop(Settings settings, Log& log, LineHandler onLine)
    : settings_(settings), log_(log), onLine_(std::move(onLine)), pending_(settings.maxLineBytes),
      buffer_(settings.maxLineBytes + 2)
{
}

bool ConnectionLoop::open(int listenFd, std::string& error)
{
    epoll_.reset(::epoll_create1(EPOLL_CLOEXEC));
    wake_.reset(::eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC));
    if (!epoll_.valid() || !wake_.valid())
    {
        error = std::string("cannot create the event loop: ") + std::strerror(errno);
        return false;
    }
    listenFd_ = listenFd;
    epoll_event listen{EPOLLIN, {}};
    listen.data.fd = listenFd_;
    epoll_event wake{EPOLLIN, {}};
    wake.data.fd = wake_.get();
    if (::epoll_ctl(epoll_.get(), EPOLL_CTL_ADD, listenFd_, &listen) != 0 ||
        ::epoll_ctl(epoll_.get(), EPOLL_CTL_ADD, wake_.get(), &wake) != 0)
    {
        error = std::string("cannot watch the listening socket: ") + std::strerror(errno);
        return false;
    }
    return true;
}

void ConnectionLoop::stop()
{
    stopping_ = true;
    const uint64_t one = 1;
    if (wake_.valid()) (void)!::write(wake_.get(), &one, sizeof one);
}

void ConnectionLoop::run()
{
    epoll_event events[kEvents];
    while (!stopping_)
    {
        const int count = ::epoll_wait(epoll_.get(), events, kEvents, waitMs(Clock::now()));
        if (count < 0 && errno != EINTR)
        {
            log_.info(std::string("event loop failed: ") + std::strerror(errno));
            break;
        }
        const Clock::time_point now = Clock::now();
        for (int i = 0; i < count && !stopping_; ++i)
        {
            const int fd = events[i].data.fd;
            if (fd == listenFd_)
                acceptAll(now);
            else if (fd != wake_.get())
                readFrom(fd);
        }
        expire(now);
        if (!listening_ && now >= listenAgain_) watchListener(true);
    }
    while (!pending_.empty())
        pending_.takeOldest();
}

void ConnectionLoop::acceptAll(Clock::time_point now)
{
    for (int i = 0; i < kAcceptBatch; ++i)
    {
        UniqueFd fd(::accept4(listenFd_, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC));
        if (!fd.valid())
        {
            if (errno == EINTR || errno == ECONNABORTED) continue;
            if (errno != EMFILE && errno != ENFILE) return; // EAGAIN: all taken
            if (!pending_.empty())
            {
                shedOldest(now, "out of file descriptors");
                continue;
            }
            // Nothing of ours to give up: the connection waits in the backlog meanwhile.
            watchListener(false);
            listenAgain_ = now + kAcceptPause;
            return;
        }
        std::string peer = SocketIo::peerName(fd.get());
        // Before a byte is read: another user's program, or a socket the kernel no longer
        // ties to a live client, gets nothing but the error line.
        std::string found;
        if (!orv::platform::SocketOwner::PeerIsOwnUsers(fd.get(), &found))
        {
            log_.info(peer + " refused before its request: its socket is " + found);
            SocketIo::finish(std::move(fd), ErrorAnswer::build(kForeignPeerReason));
            continue;
        }
        if (pending_.size() >= settings_.maxPending) shedOldest(now, "too many connections");
        epoll_event watch{EPOLLIN | EPOLLRDHUP, {}};
        watch.data.fd = fd.get();
        if (::epoll_ctl(epoll_.get(), EPOLL_CTL_ADD, fd.get(), &watch) != 0) continue;
        pending_.add(std::move(fd), std::move(peer), now);
    }
}

void ConnectionLoop::readFrom(int fd)
{
    PendingConnections::Connection* connection = pending_.find(fd);
    if (!connection) return;
    const ssize_t got = ::recv(fd, buffer_.data(), buffer_.size(), 0);
    if (got < 0 && (errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR)) return;
    if (got <= 0)
    {
        log_.detail(connection->peer + " went away before a complete request line");
        pending_.take(fd);
        return;
    }
    const RequestReader::Result result =
        connection->reader.feed(buffer_.data(), static_cast<size_t>(got));
    if (result == RequestReader::Result::Incomplete) return;
    PendingConnections::Connection done = pending_.take(fd);
    ::epoll_ctl(epoll_.get(), EPOLL_CTL_DEL, fd, nullptr);
    if (result != RequestReader::Result::Line)
    {
        refuse(std::move(done), RequestReader::describe(result));
        return;
    }
    onLine_(std::move(done.fd), std::move(done.peer), done.reader.line());
}

void ConnectionLoop::expire(Clock::time_point now)
{
    while (const PendingConnections::Connection* oldest = pending_.oldest())
    {
        if (now - oldest->accepted < settings_.lineDeadline) return;
        refuse(pending_.takeOldest(), "no complete request line within " +
                                          std::to_string(settings_.lineDeadline.count()) + " ms");
    }
}

void ConnectionLoop::shedOldest(Clock::time_point now, const char* why)
{
    if (pending_.empty()) return;
    PendingConnections::Connection oldest = pending_.takeOldest();
    log_.info(oldest.peer + " shed after " + std::to_string(elapsedMs(oldest.accepted, now)) +
              " ms without a complete request line: " + why);
    SocketIo::finish(std::move(oldest.fd), ErrorAnswer::build(why));
}

void ConnectionLoop::refuse(PendingConnections::Connection connection, const std::string& why)
{
    log_.info(connection.peer + " refused: " + why);
    SocketIo::finish(std::move(connection.fd), ErrorAnswer::build(why));
}

void ConnectionLoop::watchListener(bool on)
{
    epoll_event listen{on ? static_cast<uint32_t>(EPOLLIN) : 0u, {}};
    listen.data.fd = listenFd_;
    ::epoll_ctl(epoll_.get(), EPOLL_CTL_MOD, listenFd_, &listen);
    listening_ = on;
}

int ConnectionLoop::waitMs(Clock::time_point now) const
{
    Clock::time_point next = Clock::time_point::max();
    if (const PendingConnections::Connection* oldest = pending_.oldest())
        next = oldest->accepted + settings_.lineDeadline;
    if (!listening_ && listenAgain_ < next) next = listenAgain_;
    if (next == Clock::time_point::max()) return -1;
    if (next <= now) return 0;
    // Rounded up: waking a little early would only spin until the deadline.
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(next - now).count();
    return static_cast<int>(std::min<long long>(left, 60000));
}

} // namespace companion
