#include "CompanionConnection.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <climits>
#include <cstring>
#include <fcntl.h>
#include <netdb.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include "CompanionAnswerReader.h"
#include "CompanionEndpoint.h"
#include "SocketOwner.h"

namespace
{

using Clock = std::chrono::steady_clock;

// Closes the socket however the exchange ends.
class SocketHolder
{
public:
    explicit SocketHolder(int fd) : mFd(fd) {}
    ~SocketHolder()
    {
        if (mFd >= 0) ::close(mFd);
    }
    SocketHolder(const SocketHolder&) = delete;
    SocketHolder& operator=(const SocketHolder&) = delete;
    int Get() const { return mFd; }

private:
    int mFd;
};

// The time left before a point, as poll takes it; -1 waits without end.
class Deadline
{
public:
    explicit Deadline(int ms)
        : mUnbounded(ms < 0), mAt(Clock::now() + std::chrono::milliseconds(std::max(ms, 0)))
    {
    }
    int LeftMs() const
    {
        if (mUnbounded) return -1;
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(mAt - Clock::now()).count();
        return static_cast<int>(std::clamp<long long>(left, 0, INT_MAX));
    }

private:
    bool mUnbounded;
    Clock::time_point mAt;
};

// The smaller of two waits, -1 being the longest.
int Sooner(int a, int b)
{
    if (a < 0) return b;
    if (b < 0) return a;
    return std::min(a, b);
}

// Waits for events on fd: 1 when they came, 0 when the time ran out, -1 on error.
int WaitFor(int fd, short events, int timeoutMs)
{
    for (;;)
    {
        pollfd watched{fd, events, 0};
        const int n = ::poll(&watched, 1, timeoutMs);
        if (n < 0 && errno == EINTR) continue;
        return n;
    }
}

bool ResolveLoopback(sockaddr_in& outAddress)
{
    addrinfo hints{};
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* found = nullptr;
    if (::getaddrinfo(CompanionConnection::kLoopbackHostName, nullptr, &hints, &found) != 0 ||
        !found)
        return false;
    std::memcpy(&outAddress, found->ai_addr, sizeof outAddress);
    ::freeaddrinfo(found);
    outAddress.sin_port = htons(kCompanionPort);
    return true;
}

using Result = CompanionConnection::Result;

Result Connect(int fd, const sockaddr_in& address, const Deadline& deadline)
{
    if (::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0)
        return Result::kOK;
    if (errno != EINPROGRESS && errno != EINTR) return Result::kConnectFailed;
    const int ready = WaitFor(fd, POLLOUT, deadline.LeftMs());
    if (ready == 0) return Result::kTimedOut;
    int error = 0;
    socklen_t length = sizeof error;
    if (ready < 0 || ::getsockopt(fd, SOL_SOCKET, SO_ERROR, &error, &length) != 0 || error != 0)
        return Result::kConnectFailed;
    return Result::kOK;
}

// The request goes out whole; a companion that has already gone away gives an error
// rather than a signal that would end the host.
Result SendAll(int fd, const std::string& request, const Deadline& deadline)
{
    size_t sent = 0;
    while (sent < request.size())
    {
        const ssize_t n =
            ::send(fd, request.data() + sent, request.size() - sent, MSG_NOSIGNAL | MSG_DONTWAIT);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK))
        {
            const int ready = WaitFor(fd, POLLOUT, deadline.LeftMs());
            if (ready == 0) return Result::kTimedOut;
            if (ready < 0) return Result::kSendFailed;
            continue;
        }
        if (n <= 0) return Result::kSendFailed;
        sent += static_cast<size_t>(n);
    }
    return Result::kOK;
}

} // namespace

CompanionConnection::Result CompanionConnection::Exchange(const std::string& request,
                                                          Reply* outReply, const Limits& limits,
                                                          CompanionAnswerReader* outLines)
{
    const Deadline deadline(limits.deadlineMs);
    SocketHolder socket(::socket(AF_INET, SOCK_STREAM, 0));
    if (socket.Get() < 0) return Result::kSocketFailed;
    // Never blocking in a call: every wait is a poll that knows what is left of the limits.
    const int flags = ::fcntl(socket.Get(), F_GETFL);
    if (flags < 0 || ::fcntl(socket.Get(), F_SETFL, flags | O_NONBLOCK) != 0)
        return Result::kSocketFailed;
    ::fcntl(socket.Get(), F_SETFD, FD_CLOEXEC);
    sockaddr_in address{};
    if (!ResolveLoopback(address)) return Result::kResolveFailed;
    const Result connected = Connect(socket.Get(), address, deadline);
    if (connected != Result::kOK) return connected;
    // Any local user can listen on the port first; the request names the user's file.
    if (!orv::platform::SocketOwner::ListenerIsOwnUsers(socket.Get(), nullptr))
        return Result::kForeignListener;
    const Result sent = SendAll(socket.Get(), request, deadline);
    if (sent != Result::kOK) return sent;

    char buffer[kReadBufferSize];
    for (;;)
    {
        const bool watchSilence = outLines && outLines->ProgressSeen() && limits.silenceMs >= 0;
        const int silenceMs = watchSilence ? limits.silenceMs : -1;
        const int ready = WaitFor(socket.Get(), POLLIN, Sooner(deadline.LeftMs(), silenceMs));
        if (ready == 0) return deadline.LeftMs() == 0 ? Result::kTimedOut : Result::kSilent;
        if (ready < 0) return Result::kReceiveFailed;
        const ssize_t n = ::recv(socket.Get(), buffer, sizeof buffer, MSG_DONTWAIT);
        if (n == 0)
        {
            if (outLines) outLines->Finish();
            return Result::kOK;
        }
        if (n < 0)
        {
            if (errno == EINTR || errno == EAGAIN || errno == EWOULDBLOCK) continue;
            return Result::kReceiveFailed;
        }
        if (outReply)
        {
            outReply->received = true;
            const size_t room =
                limits.maxReplyBytes - std::min(limits.maxReplyBytes, outReply->text.size());
            outReply->text.append(buffer, std::min(room, static_cast<size_t>(n)));
        }
        else if (outLines)
            outLines->Take(buffer, static_cast<size_t>(n));
    }
}
