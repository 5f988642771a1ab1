#pragma once

// A companion server with everything it serves, on a free loopback port, in this process:
// for the server suite and the load benchmark.
#include "CompanionServer.h"
#include "FileLockTable.h"
#include "Log.h"
#include "ProcessingPipeline.h"
#include "RequestHandler.h"

#include <memory>
#include <sstream>
#include <string>

namespace companion::test
{

struct LoopbackServer
{
    explicit LoopbackServer(CompanionServer::Options options, bool verbose = true)
        : log(logText, verbose)
    {
        options.port = 0;
        server = std::make_unique<CompanionServer>(handler, log, options);
        started = server->start(error);
    }
    uint16_t port() const { return server->port(); }

    std::ostringstream logText;
    Log log;
    FileLockTable locks;
    ProcessingPipeline pipeline{locks, log};
    RequestHandler handler{pipeline, log};
    std::unique_ptr<CompanionServer> server;
    bool started = false;
    std::string error;
};

} // namespace companion::test
