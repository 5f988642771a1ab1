#include "SocketOwner.h"

// macOS gives a process no public way to learn who owns another user's socket (the
// kernel's tables of sockets are for privileged tools), so every lookup answers kUnknown.
// The plug-in then talks to whoever holds the port, as it always did there; the companion
// runs on Linux only.
namespace orv::platform
{

namespace
{
constexpr const char* kSource = "not established on macOS";

SocketOwner::Answer Unknown()
{
    SocketOwner::Answer answer;
    answer.source = kSource;
    return answer;
}
} // namespace

SocketOwner::Answer SocketOwner::OfConnection(const sockaddr_storage&, const sockaddr_storage&)
{
    return Unknown();
}

SocketOwner::Answer SocketOwner::OfListener(const sockaddr_storage&)
{
    return Unknown();
}

bool SocketOwner::PeerIsOwnUsers(int, std::string* found)
{
    if (found) *found = Describe(Unknown());
    return false;
}

bool SocketOwner::ListenerIsOwnUsers(int, std::string* found)
{
    if (found) *found = Describe(Unknown());
    return true;
}

} // namespace orv::platform
