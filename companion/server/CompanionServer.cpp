#include "CompanionServer.h"

#include "CompanionProtocol.h"
#include "DescriptorLimit.h"
#include "ErrorAnswer.h"
#include "RequestParser.h"
#include "SocketIo.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>

namespace companion
{

namespace
{
// Descriptors kept back from the waiting connections for each worker's files and socket,
// and for the listening socket, the event loop and the log.
constexpr size_t kDescriptorsPerWorker = 8;
constexpr size_t kDescriptorsKept = 32;
constexpr size_t kMinConnections = 16;
// Twice per interval the client is promised, so a late beat still keeps the promise.
constexpr std::chrono::milliseconds kBeat{CompanionProtocol::ProgressAnswer::kIntervalMs / 2};

} // namespace

CompanionServer::CompanionServer(RequestHandler& handler, Log& log, Options options)
    : handler_(handler), log_(log), options_(options), queue_(options.queueLimit)
{
    options_.workers = std::max<size_t>(1, options_.workers);
}

CompanionServer::~CompanionServer()
{
    stop();
}

size_t CompanionServer::connectionBudget() const
{
    if (options_.maxConnections > 0) return options_.maxConnections;
    const size_t kept =
        kDescriptorsKept + options_.queueLimit + options_.workers * kDescriptorsPerWorker;
    const size_t total = DescriptorLimit::current();
    return total > kept + kMinConnections ? total - kept : kMinConnections;
}

bool CompanionServer::start(std::string& error)
{
    UniqueFd listening = bindLoopback(error);
    return listening.valid() && serve(std::move(listening), error);
}

UniqueFd CompanionServer::bindLoopback(std::string& error) const
{
    UniqueFd listening(::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0));
    if (!listening.valid())
    {
        error = std::string("cannot create a socket: ") + std::strerror(errno);
        return listening;
    }
    const int yes = 1;
    ::setsockopt(listening.get(), SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(options_.port);
    if (::bind(listening.get(), reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        ::listen(listening.get(), SOMAXCONN) != 0)
    {
        error = "cannot listen on 127.0.0.1:" + std::to_string(options_.port) + ": " +
                std::strerror(errno);
        listening.reset();
    }
    return listening;
}

bool CompanionServer::serve(UniqueFd listening, std::string& error)
{
    listen_ = std::move(listening);
    sockaddr_storage address{};
    socklen_t length = sizeof address;
    ::getsockname(listen_.get(), reinterpret_cast<sockaddr*>(&address), &length);
    port_ = ntohs(address.ss_family == AF_INET6
                      ? reinterpret_cast<const sockaddr_in6&>(address).sin6_port
                      : reinterpret_cast<const sockaddr_in&>(address).sin_port);

    ConnectionLoop::Settings settings;
    settings.lineDeadline = std::chrono::milliseconds(options_.lineDeadlineMs);
    settings.maxPending = connectionBudget();
    settings.maxLineBytes = kMaxRequestBytes;
    loop_ = std::make_unique<ConnectionLoop>(
        settings, log_,
        [this](UniqueFd fd, std::string peer, std::string line)
        { dispatch(std::move(fd), std::move(peer), std::move(line)); });
    if (!loop_->open(listen_.get(), error))
    {
        listen_.reset();
        return false;
    }
    running_ = true;
    for (size_t i = 0; i < options_.workers; ++i)
        workers_.emplace_back(&CompanionServer::workerLoop, this);
    loopThread_ = std::thread(&ConnectionLoop::run, loop_.get());
    heartbeat_ = std::thread(&CompanionServer::heartbeatLoop, this);
    return true;
}

void CompanionServer::stop()
{
    if (!running_) return;
    running_ = false;
    {
        std::lock_guard<std::mutex> lock(heartbeatMutex_);
        stopping_ = true;
    }
    heartbeatWake_.notify_all();
    heartbeat_.join();
    loop_->stop();
    loopThread_.join();
    live_.stopAll();
    for (WorkQueue::Job& job : queue_.close())
    {
        log_.info(job.peer + " process " + job.request.input +
                  ": left untouched: " + kStoppedReason);
        const std::string unsent = live_.remove(job.live);
        SocketIo::finish(std::move(job.fd), unsent + ErrorAnswer::build(kStoppedReason));
    }
    for (auto& worker : workers_)
        worker.join();
    workers_.clear();
    listen_.reset();
}

void CompanionServer::dispatch(UniqueFd fd, std::string peer, std::string line)
{
    // Only "process" takes long; everything else is answered here, so a "parameters"
    // request never waits behind files being processed.
    WorkQueue::Job job{std::move(fd), std::move(peer), RequestParser::parse(line), {}};
    if (job.request.kind != RequestKind::Process)
    {
        const RequestHandler::Reply reply = handler_.respond(job.request, line, job.peer);
        SocketIo::finish(std::move(job.fd), reply.answer);
        return;
    }
    job.live = live_.add(job.fd.get());
    if (queue_.push(job)) return;
    const std::string unsent = live_.remove(job.live);
    const std::string why = "too many requests waiting (" + std::to_string(options_.queueLimit) +
                            "): try again when the files before it are done";
    log_.info(job.peer + " process " + job.request.input + ": shed, left untouched: " + why);
    SocketIo::finish(std::move(job.fd), unsent + ErrorAnswer::build(why));
}

void CompanionServer::workerLoop()
{
    while (std::optional<WorkQueue::Job> job = queue_.pop())
    {
        LiveJobs::Job& live = *job->live;
        const RequestHandler::Reply reply =
            handler_.respond(job->request, {}, job->peer, &live.stop, &live.done);
        const std::string unsent = live_.remove(job->live);
        if (live.gone)
        {
            log_.info(job->peer + " process " + job->request.input +
                      ": its client had closed, the job was abandoned");
            continue;
        }
        SocketIo::finish(std::move(job->fd), unsent + reply.answer);
    }
}

void CompanionServer::heartbeatLoop()
{
    std::unique_lock<std::mutex> lock(heartbeatMutex_);
    while (!heartbeatWake_.wait_for(lock, kBeat, [this] { return stopping_.load(); }))
        live_.beat();
}

} // namespace companion
