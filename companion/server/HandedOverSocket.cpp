#include "HandedOverSocket.h"

#include <cerrno>
#include <cstring>

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <systemd/sd-daemon.h>

namespace companion
{

namespace
{

HandedOverSocket::Result refuse(const std::string& why)
{
    HandedOverSocket::Result result;
    result.outcome = HandedOverSocket::Outcome::Refused;
    result.error = "the socket handed over cannot be served: " + why;
    return result;
}

// "127.0.0.1:51121" or "[::1]:51121" for a socket bound to the loopback host; empty for any
// other address, which the companion must not serve: whoever reaches it may have files
// processed.
std::string loopbackAddress(int fd)
{
    sockaddr_storage address{};
    socklen_t length = sizeof address;
    if (::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length) != 0) return {};
    char text[INET6_ADDRSTRLEN] = {};
    if (address.ss_family == AF_INET)
    {
        const auto& v4 = reinterpret_cast<const sockaddr_in&>(address);
        if ((ntohl(v4.sin_addr.s_addr) >> 24) != IN_LOOPBACKNET) return {};
        ::inet_ntop(AF_INET, &v4.sin_addr, text, sizeof text);
        return std::string(text) + ":" + std::to_string(ntohs(v4.sin_port));
    }
    const auto& v6 = reinterpret_cast<const sockaddr_in6&>(address);
    if (address.ss_family != AF_INET6 || !IN6_IS_ADDR_LOOPBACK(&v6.sin6_addr)) return {};
    return "[::1]:" + std::to_string(ntohs(v6.sin6_port));
}

} // namespace

HandedOverSocket::Result HandedOverSocket::take()
{
    // libsystemd checks LISTEN_PID against this process and parses LISTEN_FDS within bounds.
    const int count = ::sd_listen_fds(1);
    if (count == 0) return {};
    if (count < 0) return refuse(std::string("LISTEN_FDS: ") + std::strerror(-count));
    if (count != 1) return refuse("LISTEN_FDS: " + std::to_string(count) + " descriptors, not one");
    UniqueFd fd(SD_LISTEN_FDS_START);
    if (::sd_is_socket_inet(fd.get(), AF_UNSPEC, SOCK_STREAM, 1, 0) <= 0)
        return refuse("descriptor " + std::to_string(SD_LISTEN_FDS_START) +
                      " is no listening TCP socket");
    Result result;
    result.address = loopbackAddress(fd.get());
    if (result.address.empty()) return refuse("it does not listen on the loopback host only");
    // The event loop never blocks on accept.
    const int flags = ::fcntl(fd.get(), F_GETFL);
    if (flags < 0 || ::fcntl(fd.get(), F_SETFL, flags | O_NONBLOCK) != 0)
        return refuse(std::string("cannot make it non-blocking: ") + std::strerror(errno));
    result.outcome = Outcome::Taken;
    result.fd = std::move(fd);
    return result;
}

} // namespace companion
