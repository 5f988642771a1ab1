// The companion server under load on the loopback port: "parameters" requests per second
// from 64 clients at once, and the time one "parameters" exchange takes while 1000
// connections sit idle. Run by bench/companion/load.sh.
#include "DescriptorLimit.h"
#include "LoopbackClient.h"
#include "LoopbackServer.h"
#include "ParametersAnswer.h"

#include <benchmark/benchmark.h>

#include <stdexcept>
#include <vector>

namespace
{
using namespace companion;

// One server for the whole run; its line deadline outlasts the run, so idle connections
// stay idle rather than being cut off.
uint16_t serverPort()
{
    static test::LoopbackServer server(
        []
        {
            DescriptorLimit::raiseToHard();
            CompanionServer::Options options;
            options.lineDeadlineMs = 3600 * 1000;
            return options;
        }(),
        false);
    if (!server.started) throw std::runtime_error(server.error);
    return server.port();
}

void ParametersFromManyClients(benchmark::State& state)
{
    const uint16_t port = serverPort();
    const std::string expected = ParametersAnswer::build();
    for (auto _ : state)
    {
        if (test::exchange(port, test::kParametersRequest) != expected)
        {
            state.SkipWithError("wrong answer");
            break;
        }
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(ParametersFromManyClients)->Threads(64)->UseRealTime();

void ParametersUnderIdleConnections(benchmark::State& state)
{
    const uint16_t port = serverPort();
    const std::string expected = ParametersAnswer::build();
    std::vector<int> idle;
    for (int64_t i = 0; i < state.range(0); ++i)
        idle.push_back(test::connectTo(port));
    for (auto _ : state)
    {
        if (test::exchange(port, test::kParametersRequest) != expected)
        {
            state.SkipWithError("wrong answer");
            break;
        }
    }
    // Every idle connection must still be open: none was shed to make room.
    int64_t shed = 0;
    for (int fd : idle)
    {
        shed += fd < 0 || test::heardFrom(fd, 0) ? 1 : 0;
        ::close(fd);
    }
    state.counters["idle"] = static_cast<double>(idle.size());
    state.counters["shed"] = static_cast<double>(shed);
}
BENCHMARK(ParametersUnderIdleConnections)->Arg(0)->Arg(1000)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
