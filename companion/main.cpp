// orvendal-qv: the companion application the Orvendal QV plug-in talks to.
#include "CompanionConstants.h"
#include "CompanionServer.h"
#include "DescriptorLimit.h"
#include "FileLockTable.h"
#include "HandedOverSocket.h"
#include "Log.h"
#include "ProcessingPipeline.h"
#include "RequestHandler.h"

#include <CLI/CLI.hpp>

#include <csignal>
#include <iostream>

namespace
{

using namespace companion;

struct CommandLine
{
    CompanionServer::Options options;
    bool verbose = false;
    std::string request;
};

void DescribeOptions(CLI::App& app, CommandLine& line)
{
    app.footer("Started by systemd's orvendal-qv.socket, it serves the listening socket handed "
               "over (LISTEN_FDS, LISTEN_PID) instead of binding one.");
    CompanionServer::Options& options = line.options;
    app.add_option("--port", options.port, "TCP port on 127.0.0.1 (0: any free port, logged)")
        ->capture_default_str()
        ->check(CLI::Range(0, 65535));
    app.add_option("--workers", options.workers, "requests served at the same time")
        ->capture_default_str()
        ->check(CLI::Range(1, 64));
    app.add_option("--queue", options.queueLimit, "\"process\" requests waiting for a worker")
        ->capture_default_str()
        ->check(CLI::Range(1, 4096));
    app.add_option("--line-deadline-ms", options.lineDeadlineMs,
                   "a client must send its whole request line within this")
        ->capture_default_str()
        ->check(CLI::Range(1, 3600000));
    app.add_flag("-v,--verbose", line.verbose, "log progress and details");
    app.add_option("--request", line.request,
                   "serve this one request line (without its line feed) here and exit, "
                   "printing any answer");
}

// The worker threads inherit this mask, so only sigwait in Serve sees the stop signals.
sigset_t BlockStopSignals()
{
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGINT);
    sigaddset(&stopSignals, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);
    std::signal(SIGPIPE, SIG_IGN);
    return stopSignals;
}

// Serves on the socket the service manager handed over, or on one of its own, until a stop
// signal; the process's exit status.
int Serve(RequestHandler& handler, Log& log, const CompanionServer::Options& options)
{
    const sigset_t stopSignals = BlockStopSignals();
    // Each waiting connection holds a descriptor: allow as many as the system lets us.
    const size_t descriptors = DescriptorLimit::raiseToHard();
    log.detail("up to " + std::to_string(descriptors) + " open files");
    // Started by the service manager on the first connection: serve the socket it holds.
    HandedOverSocket::Result handed = HandedOverSocket::take();
    if (handed.outcome == HandedOverSocket::Outcome::Refused)
    {
        log.info(handed.error);
        return 1;
    }
    CompanionServer server(handler, log, options);
    std::string error;
    const bool serving = handed.outcome == HandedOverSocket::Outcome::Taken
                             ? server.serve(std::move(handed.fd), error)
                             : server.start(error);
    if (!serving)
    {
        log.info(error);
        return 1;
    }
    if (handed.outcome == HandedOverSocket::Outcome::Taken)
        log.info("listening on " + handed.address + " (socket handed over)");
    else
        log.info("listening on 127.0.0.1:" + std::to_string(server.port()));
    int received = 0;
    sigwait(&stopSignals, &received);
    log.info("stopping");
    server.stop();
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    CLI::App app{"Orvendal QV companion: serves the plug-in's \"parameters\" and \"process\" "
                 "requests on 127.0.0.1"};
    CommandLine line;
    DescribeOptions(app, line);
    CLI11_PARSE(app, argc, argv);

    Log log(std::cerr, line.verbose);
    FileLockTable locks;
    ProcessingPipeline pipeline(locks, log);
    RequestHandler handler(pipeline, log);
    if (line.request.empty()) return Serve(handler, log, line.options);

    const RequestHandler::Reply reply = handler.handle(line.request, "command line");
    std::cout << reply.answer;
    return reply.served ? 0 : 1;
}
