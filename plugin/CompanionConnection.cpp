#include "CompanionConnection.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <netdb.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include "CompanionEndpoint.h"
#include "SocketOwner.h"

namespace
{

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

// The request goes out whole; a companion that has already gone away gives an error
// rather than a signal that would end the host.
bool SendAll(int fd, const std::string& request)
{
    size_t sent = 0;
    while (sent < request.size())
    {
        const ssize_t n = ::send(fd, request.data() + sent, request.size() - sent, MSG_NOSIGNAL);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        sent += static_cast<size_t>(n);
    }
    return true;
}

} // namespace

CompanionConnection::Result CompanionConnection::Exchange(const std::string& request,
                                                          Reply* outReply, size_t maxReplyBytes)
{
    SocketHolder socket(::socket(AF_INET, SOCK_STREAM, 0));
    if (socket.Get() < 0) return Result::kSocketFailed;
    sockaddr_in address{};
    if (!ResolveLoopback(address)) return Result::kResolveFailed;
    if (::connect(socket.Get(), reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0)
        return Result::kConnectFailed;
    // Any local user can listen on the port first; the request names the user's file.
    if (!orv::platform::SocketOwner::ListenerIsOwnUsers(socket.Get(), nullptr))
        return Result::kForeignListener;
    if (!SendAll(socket.Get(), request)) return Result::kSendFailed;

    char buffer[kReadBufferSize];
    for (;;)
    {
        const ssize_t n = ::recv(socket.Get(), buffer, sizeof buffer, 0);
        if (n == 0) return Result::kOK;
        if (n < 0)
        {
            if (errno == EINTR) continue;
            return Result::kReceiveFailed;
        }
        if (!outReply) continue;
        outReply->received = true;
        const size_t room = maxReplyBytes - std::min(maxReplyBytes, outReply->text.size());
        outReply->text.append(buffer, std::min(room, static_cast<size_t>(n)));
    }
}
