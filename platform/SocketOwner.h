#pragma once

#include <string>

#include <sys/socket.h>
#include <sys/types.h>

namespace orv::platform
{

// Who holds a TCP socket of this machine, found by its endpoints, so that both ends of the
// loopback link can tell their own user's programs from another user's. Linux asks the
// kernel's socket diagnostics and reads /proc/net/tcp{,6} when they cannot answer; macOS
// cannot see other users' sockets and answers kUnknown. Thread-safe; no state kept.
class SocketOwner
{
public:
    enum class Outcome
    {
        kFound,
        kNotFound, // the system looked and holds no such socket
        kUnknown,  // it could not be looked up here
    };

    // TCP states as the kernel numbers them.
    static constexpr int kEstablished = 1;
    static constexpr int kListen = 10;

    struct Answer
    {
        Outcome outcome = Outcome::kUnknown;
        uid_t uid = 0;
        int state = 0;
        const char* source = ""; // what answered: "sock_diag", "/proc/net/tcp", ...
    };

    // The socket whose own address is `local` and whose peer is `remote`, both matched
    // exactly (IPv4, IPv6, and IPv4-mapped IPv6 taken as IPv4).
    static Answer OfConnection(const sockaddr_storage& local, const sockaddr_storage& remote);
    // The listening socket that takes connections to `local`: one bound to that address or
    // to the wildcard address, on that port.
    static Answer OfListener(const sockaddr_storage& local);

    // The client socket at the far end of the accepted socket fd: served only when this is
    // true. Linux: found, ESTABLISHED and owned by the effective uid; macOS: never, as it
    // cannot establish the owner. `found` (may be null) gets what was found, for a log.
    static bool PeerIsOwnUsers(int fd, std::string* found);
    // The listener that took the connection of the connected socket fd belongs to the
    // effective uid. Linux: found, LISTEN and that uid; macOS: an unknown owner passes.
    static bool ListenerIsOwnUsers(int fd, std::string* found);

    // "uid 1000, ESTABLISHED (sock_diag)", "no such socket (/proc/net/tcp)", ...
    static std::string Describe(const Answer& answer);
    // "ESTABLISHED", "FIN-WAIT-2", ...; "state <n>" for a number it does not know.
    static std::string StateName(int state);
};

} // namespace orv::platform
