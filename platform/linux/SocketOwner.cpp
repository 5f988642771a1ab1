#include "SocketOwner.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <iterator>
#include <optional>
#include <sstream>

#include <linux/inet_diag.h>
#include <linux/netlink.h>
#include <linux/sock_diag.h>
#include <netinet/in.h>
#include <sys/time.h>
#include <unistd.h>

#include "ProcNetTcpTable.h"

namespace orv::platform
{

namespace
{

constexpr const char* kDiagSource = "sock_diag";
constexpr const char* kTableSource = "/proc/net/tcp";
// The kernel answers at once; this only bounds a kernel that does not answer at all.
constexpr long kDiagTimeoutUs = 500000;
constexpr size_t kDiagBufferBytes = 8192;

// An endpoint with IPv4-mapped IPv6 addresses turned into IPv4, so that a dual-stack socket
// and a plain IPv4 one compare by what they really are.
struct Endpoint
{
    int family = AF_UNSPEC;
    unsigned char address[16]{};
    uint16_t port = 0; // host order

    bool operator==(const Endpoint& other) const
    {
        const size_t size = family == AF_INET ? 4 : 16;
        return family == other.family && port == other.port &&
               std::memcmp(address, other.address, size) == 0;
    }
    bool IsWildcard() const
    {
        static const unsigned char kZero[16]{};
        return std::memcmp(address, kZero, family == AF_INET ? 4 : 16) == 0;
    }
};

Endpoint FromRaw(int family, const void* address, uint16_t port)
{
    Endpoint endpoint;
    endpoint.port = port;
    if (family == AF_INET)
    {
        endpoint.family = AF_INET;
        std::memcpy(endpoint.address, address, 4);
        return endpoint;
    }
    if (family != AF_INET6) return endpoint;
    in6_addr v6;
    std::memcpy(&v6, address, sizeof v6);
    if (IN6_IS_ADDR_V4MAPPED(&v6))
    {
        endpoint.family = AF_INET;
        std::memcpy(endpoint.address, v6.s6_addr + 12, 4);
        return endpoint;
    }
    // The unspecified address of a dual-stack listener takes IPv4 connections too.
    endpoint.family = AF_INET6;
    std::memcpy(endpoint.address, &v6, 16);
    return endpoint;
}

Endpoint FromStorage(const sockaddr_storage& storage)
{
    if (storage.ss_family == AF_INET)
    {
        const auto& v4 = reinterpret_cast<const sockaddr_in&>(storage);
        return FromRaw(AF_INET, &v4.sin_addr, ntohs(v4.sin_port));
    }
    if (storage.ss_family == AF_INET6)
    {
        const auto& v6 = reinterpret_cast<const sockaddr_in6&>(storage);
        return FromRaw(AF_INET6, &v6.sin6_addr, ntohs(v6.sin6_port));
    }
    return Endpoint{};
}

// A listener's own address matches `wanted` when it is that address or a wildcard that
// takes connections to it (an IPv6 "::" listener also takes IPv4 ones).
bool ListenerTakes(const Endpoint& listener, const Endpoint& wanted)
{
    if (listener.port != wanted.port) return false;
    if (listener.family == wanted.family &&
        std::memcmp(listener.address, wanted.address, wanted.family == AF_INET ? 4 : 16) == 0)
        return true;
    return listener.IsWildcard() &&
           (listener.family == wanted.family || listener.family == AF_INET6);
}

class DiagSocket
{
public:
    DiagSocket() : mFd(::socket(AF_NETLINK, SOCK_DGRAM | SOCK_CLOEXEC, NETLINK_SOCK_DIAG)) {}
    ~DiagSocket()
    {
        if (mFd >= 0) ::close(mFd);
    }
    DiagSocket(const DiagSocket&) = delete;
    DiagSocket& operator=(const DiagSocket&) = delete;
    int Get() const { return mFd; }

private:
    int mFd;
};

struct DiagRequest
{
    nlmsghdr header;
    inet_diag_req_v2 body;
};

// The request for the one TCP socket whose own address is local and whose peer is remote.
DiagRequest ExactRequest(const Endpoint& local, const Endpoint& remote)
{
    DiagRequest request{};
    request.header.nlmsg_len = sizeof request;
    request.header.nlmsg_type = SOCK_DIAG_BY_FAMILY;
    request.header.nlmsg_flags = NLM_F_REQUEST; // one socket, by its exact endpoints
    request.header.nlmsg_seq = 1;
    request.body.sdiag_family = static_cast<uint8_t>(local.family);
    request.body.sdiag_protocol = IPPROTO_TCP;
    request.body.idiag_states = ~0u;
    request.body.id.idiag_sport = htons(local.port);
    request.body.id.idiag_dport = htons(remote.port);
    const size_t size = local.family == AF_INET ? 4 : 16;
    std::memcpy(request.body.id.idiag_src, local.address, size);
    std::memcpy(request.body.id.idiag_dst, remote.address, size);
    request.body.id.idiag_cookie[0] = INET_DIAG_NOCOOKIE;
    request.body.id.idiag_cookie[1] = INET_DIAG_NOCOOKIE;
    return request;
}

// Sends request to the kernel and receives its answer into buffer: the bytes received, 0 or
// less when there is none.
ssize_t Exchange(const DiagRequest& request, char (&buffer)[kDiagBufferBytes])
{
    DiagSocket socket;
    if (socket.Get() < 0) return -1;
    timeval timeout{0, kDiagTimeoutUs};
    ::setsockopt(socket.Get(), SOL_SOCKET, SO_RCVTIMEO, &timeout, sizeof timeout);
    sockaddr_nl kernel{};
    kernel.nl_family = AF_NETLINK;
    if (::sendto(socket.Get(), &request, sizeof request, 0, reinterpret_cast<sockaddr*>(&kernel),
                 sizeof kernel) != static_cast<ssize_t>(sizeof request))
        return -1;
    ssize_t got;
    do
        got = ::recv(socket.Get(), buffer, sizeof buffer, 0);
    while (got < 0 && errno == EINTR);
    return got;
}

// The socket the kernel described, found only when it is the very one asked for: the kernel
// falls back to a listener when no connection matches.
SocketOwner::Answer Described(const inet_diag_msg& found, const Endpoint& local,
                              const Endpoint& remote)
{
    const Endpoint foundLocal =
        FromRaw(found.idiag_family, found.id.idiag_src, ntohs(found.id.idiag_sport));
    const Endpoint foundRemote =
        FromRaw(found.idiag_family, found.id.idiag_dst, ntohs(found.id.idiag_dport));
    const bool listenerWanted = remote.port == 0 && remote.IsWildcard();
    const bool matches = listenerWanted ? found.idiag_state == SocketOwner::kListen &&
                                              ListenerTakes(foundLocal, local)
                                        : foundLocal == local && foundRemote == remote;
    SocketOwner::Answer answer;
    answer.source = kDiagSource;
    answer.outcome = matches ? SocketOwner::Outcome::kFound : SocketOwner::Outcome::kNotFound;
    answer.uid = found.idiag_uid;
    answer.state = found.idiag_state;
    return answer;
}

// One exact lookup through the kernel's socket diagnostics: the socket whose own address
// is `local` and whose peer is `remote` (for a listener, the wildcard address and port 0;
// the kernel then answers with the listener that takes connections to `local`). Nothing
// when the diagnostics could not answer; an answer of kNotFound when they said so.
std::optional<SocketOwner::Answer> AskKernel(const Endpoint& local, const Endpoint& remote)
{
    const DiagRequest request = ExactRequest(local, remote);
    alignas(nlmsghdr) char buffer[kDiagBufferBytes];
    const ssize_t got = Exchange(request, buffer);
    if (got <= 0) return std::nullopt;

    int length = static_cast<int>(got);
    for (auto* message = reinterpret_cast<nlmsghdr*>(buffer); NLMSG_OK(message, length);
         message = NLMSG_NEXT(message, length))
    {
        if (message->nlmsg_seq != request.header.nlmsg_seq) continue;
        if (message->nlmsg_type == NLMSG_ERROR)
        {
            if (message->nlmsg_len < NLMSG_LENGTH(sizeof(nlmsgerr))) return std::nullopt;
            const auto* error = static_cast<const nlmsgerr*>(NLMSG_DATA(message));
            if (error->error != -ENOENT) return std::nullopt;
            SocketOwner::Answer answer;
            answer.source = kDiagSource;
            answer.outcome = SocketOwner::Outcome::kNotFound;
            return answer;
        }
        if (message->nlmsg_type == SOCK_DIAG_BY_FAMILY &&
            message->nlmsg_len >= NLMSG_LENGTH(sizeof(inet_diag_msg)))
            return Described(*static_cast<const inet_diag_msg*>(NLMSG_DATA(message)), local,
                             remote);
    }
    return std::nullopt;
}

std::optional<std::string> ReadTable(const char* path)
{
    std::ifstream in(path);
    if (!in) return std::nullopt;
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The same lookup in the kernel's text tables, both families: a dual-stack socket on an
// IPv4 connection is listed in the IPv6 table with mapped addresses.
SocketOwner::Answer ReadTables(const Endpoint& local, const Endpoint& remote)
{
    SocketOwner::Answer answer;
    answer.source = kTableSource;
    const bool listenerWanted = remote.port == 0 && remote.IsWildcard();
    bool readAny = false;
    std::optional<SocketOwner::Answer> wildcardListener;
    for (const auto& [path, family] :
         {std::pair{"/proc/net/tcp", AF_INET}, std::pair{"/proc/net/tcp6", AF_INET6}})
    {
        const std::optional<std::string> text = ReadTable(path);
        if (!text) continue;
        readAny = true;
        for (const ProcNetTcpTable::Row& row : ProcNetTcpTable::Parse(*text, family))
        {
            const Endpoint rowLocal = FromStorage(row.local);
            SocketOwner::Answer candidate = answer;
            candidate.outcome = SocketOwner::Outcome::kFound;
            candidate.uid = row.uid;
            candidate.state = row.state;
            if (!listenerWanted)
            {
                if (rowLocal == local && FromStorage(row.remote) == remote) return candidate;
                continue;
            }
            if (row.state != SocketOwner::kListen || !ListenerTakes(rowLocal, local)) continue;
            // A listener on the very address takes the connection before a wildcard one.
            if (!rowLocal.IsWildcard()) return candidate;
            if (!wildcardListener) wildcardListener = candidate;
        }
    }
    if (wildcardListener) return *wildcardListener;
    answer.outcome = readAny ? SocketOwner::Outcome::kNotFound : SocketOwner::Outcome::kUnknown;
    return answer;
}

SocketOwner::Answer Find(const Endpoint& local, const Endpoint& remote)
{
    if (local.family == AF_UNSPEC || local.family != remote.family)
    {
        SocketOwner::Answer unknown;
        unknown.source = "no TCP endpoints";
        return unknown;
    }
    if (std::optional<SocketOwner::Answer> answer = AskKernel(local, remote)) return *answer;
    return ReadTables(local, remote);
}

bool Names(int fd, sockaddr_storage& own, sockaddr_storage& peer)
{
    socklen_t ownLength = sizeof own;
    socklen_t peerLength = sizeof peer;
    return ::getsockname(fd, reinterpret_cast<sockaddr*>(&own), &ownLength) == 0 &&
           ::getpeername(fd, reinterpret_cast<sockaddr*>(&peer), &peerLength) == 0;
}

} // namespace

SocketOwner::Answer SocketOwner::OfConnection(const sockaddr_storage& local,
                                              const sockaddr_storage& remote)
{
    return Find(FromStorage(local), FromStorage(remote));
}

SocketOwner::Answer SocketOwner::OfListener(const sockaddr_storage& local)
{
    const Endpoint own = FromStorage(local);
    Endpoint any;
    any.family = own.family;
    return Find(own, any);
}

bool SocketOwner::PeerIsOwnUsers(int fd, std::string* found)
{
    sockaddr_storage own{}, peer{};
    if (!Names(fd, own, peer))
    {
        if (found) *found = std::string("no endpoints: ") + std::strerror(errno);
        return false;
    }
    // The client's socket has our address as its peer.
    const Answer answer = OfConnection(peer, own);
    if (found) *found = Describe(answer);
    return answer.outcome == Outcome::kFound && answer.state == kEstablished &&
           answer.uid == ::geteuid();
}

bool SocketOwner::ListenerIsOwnUsers(int fd, std::string* found)
{
    sockaddr_storage own{}, peer{};
    if (!Names(fd, own, peer))
    {
        if (found) *found = std::string("no endpoints: ") + std::strerror(errno);
        return false;
    }
    // The socket accepted for us is the listener's until the program accepts it (and it
    // may never do so), so the listener itself is the one asked about.
    const Answer answer = OfListener(peer);
    if (found) *found = Describe(answer);
    return answer.outcome == Outcome::kFound && answer.state == kListen &&
           answer.uid == ::geteuid();
}

} // namespace orv::platform
