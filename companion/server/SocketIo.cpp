#include "SocketIo.h"

#include "CompanionConstants.h"

#include <cerrno>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>

namespace companion
{

std::string SocketIo::peerName(int fd)
{
    sockaddr_in address{};
    socklen_t length = sizeof address;
    if (::getpeername(fd, reinterpret_cast<sockaddr*>(&address), &length) != 0) return "?";
    char text[INET_ADDRSTRLEN] = "?";
    ::inet_ntop(AF_INET, &address.sin_addr, text, sizeof text);
    return std::string(text) + ':' + std::to_string(ntohs(address.sin_port));
}

bool SocketIo::send(int fd, const std::string& text)
{
    size_t sent = 0;
    while (sent < text.size())
    {
        const ssize_t done =
            ::send(fd, text.data() + sent, text.size() - sent, MSG_NOSIGNAL | MSG_DONTWAIT);
        if (done < 0 && errno == EINTR) continue;
        if (done <= 0) return false;
        sent += static_cast<size_t>(done);
    }
    return true;
}

void SocketIo::finish(UniqueFd fd, const std::string& answer)
{
    if (!answer.empty()) send(fd.get(), answer);
    ::shutdown(fd.get(), SHUT_WR);
    // Bounded: a client streaming without end is cut off with a reset all the same.
    char buffer[4096];
    for (size_t taken = 0; taken < 16 * kMaxRequestBytes;)
    {
        const ssize_t got = ::recv(fd.get(), buffer, sizeof buffer, MSG_DONTWAIT);
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) break;
        taken += static_cast<size_t>(got);
    }
}

} // namespace companion
