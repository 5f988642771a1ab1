// The companion server under load on the loopback port: "parameters" requests per second
// from 64 clients at once, and the time one "parameters" exchange takes while 1000
// connections sit idle. Run by bench/companion/load.sh.
#include "CompanionServer.h"
#include "DescriptorLimit.h"
#include "FileLockTable.h"
#include "LoopbackClient.h"
#include "ParametersAnswer.h"
#include "ProcessingPipeline.h"
#include "RequestHandler.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <sstream>
#include <vector>

namespace
{
using namespace companion;

// One server for the whole run; its line deadline outlasts the run, so idle connections
// stay idle rather than being cut off.
class LoadServer
{
public:
    static LoadServer& instance()
    {
        static LoadServer server;
        return server;
    }
    uint16_t port() const { return server_->port(); }

private:
    LoadServer()
    {
        DescriptorLimit::raiseToHard();
        CompanionServer::Options options;
        options.port = 0;
        options.lineDeadlineMs = 3600 * 1000;
        server_ = std::make_unique<CompanionServer>(handler_, log_, options);
        std::string error;
        if (!server_->start(error)) throw std::runtime_error(error);
    }

    std::ostringstream logText_;
    Log log_{logText_, false};
    FileLockTable locks_;
    ProcessingPipeline pipeline_{locks_, log_};
    RequestHandler handler_{pipeline_, log_};
    std::unique_ptr<CompanionServer> server_;
};

void ParametersFromManyClients(benchmark::State& state)
{
    const uint16_t port = LoadServer::instance().port();
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
    const uint16_t port = LoadServer::instance().port();
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
