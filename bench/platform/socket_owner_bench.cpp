// The time of one owner lookup, as the companion makes for each connection it accepts and
// the plug-in for each connection it opens, through the kernel's socket diagnostics.
#include "SocketOwner.h"

#include <benchmark/benchmark.h>

#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace
{

using orv::platform::SocketOwner;

// A listener, a client connected to it and the accepted end, on the loopback address.
struct Connection
{
    Connection()
    {
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t length = sizeof address;
        ::bind(listening, reinterpret_cast<sockaddr*>(&address), sizeof address);
        ::listen(listening, 4);
        ::getsockname(listening, reinterpret_cast<sockaddr*>(&address), &length);
        ::connect(client, reinterpret_cast<sockaddr*>(&address), sizeof address);
        accepted = ::accept(listening, nullptr, nullptr);
    }
    ~Connection()
    {
        ::close(accepted);
        ::close(client);
        ::close(listening);
    }
    int listening = ::socket(AF_INET, SOCK_STREAM, 0);
    int client = ::socket(AF_INET, SOCK_STREAM, 0);
    int accepted = -1;
};

void PeerOfAcceptedSocket(benchmark::State& state)
{
    Connection connection;
    std::string found;
    for (auto _ : state)
        benchmark::DoNotOptimize(SocketOwner::PeerIsOwnUsers(connection.accepted, &found));
    if (!SocketOwner::PeerIsOwnUsers(connection.accepted, &found))
        state.SkipWithError(found.c_str());
}
BENCHMARK(PeerOfAcceptedSocket)->Unit(benchmark::kMicrosecond);

void ListenerOfConnectedSocket(benchmark::State& state)
{
    Connection connection;
    std::string found;
    for (auto _ : state)
        benchmark::DoNotOptimize(SocketOwner::ListenerIsOwnUsers(connection.client, &found));
    if (!SocketOwner::ListenerIsOwnUsers(connection.client, &found))
        state.SkipWithError(found.c_str());
}
BENCHMARK(ListenerOfConnectedSocket)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
