#include "CompanionServer.h"

#include "RequestReader.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace companion
{

namespace
{
constexpr int kPollMs = 100; // how quickly the accept loop notices stop()

void setTimeout(int fd, int option, int milliseconds)
{
    timeval tv{};
    tv.tv_sec = milliseconds / 1000;
    tv.tv_usec = (milliseconds % 1000) * 1000;
    ::setsockopt(fd, SOL_SOCKET, option, &tv, sizeof tv);
}

bool sendAll(int fd, const std::string& text)
{
    size_t sent = 0;
    while (sent < text.size())
    {
        const ssize_t done = ::send(fd, text.data() + sent, text.size() - sent, MSG_NOSIGNAL);
        if (done < 0 && errno == EINTR) continue;
        if (done <= 0) return false;
        sent += static_cast<size_t>(done);
    }
    return true;
}

std::string peerName(int fd)
{
    sockaddr_in address{};
    socklen_t length = sizeof address;
    if (::getpeername(fd, reinterpret_cast<sockaddr*>(&address), &length) != 0) return "?";
    char text[INET_ADDRSTRLEN] = "?";
    ::inet_ntop(AF_INET, &address.sin_addr, text, sizeof text);
    return std::string(text) + ':' + std::to_string(ntohs(address.sin_port));
}
} // namespace

CompanionServer::CompanionServer(RequestHandler& handler, Log& log, Options options)
    : handler_(handler), log_(log), options_(options)
{
}

CompanionServer::~CompanionServer()
{
    stop();
}

bool CompanionServer::start(std::string& error)
{
    listenFd_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (listenFd_ < 0)
    {
        error = std::string("cannot create a socket: ") + std::strerror(errno);
        return false;
    }
    const int yes = 1;
    ::setsockopt(listenFd_, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(options_.port);
    if (::bind(listenFd_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        ::listen(listenFd_, SOMAXCONN) != 0)
    {
        error = "cannot listen on 127.0.0.1:" + std::to_string(options_.port) + ": " +
                std::strerror(errno);
        ::close(listenFd_);
        listenFd_ = -1;
        return false;
    }
    socklen_t length = sizeof address;
    ::getsockname(listenFd_, reinterpret_cast<sockaddr*>(&address), &length);
    port_ = ntohs(address.sin_port);

    running_ = true;
    for (size_t i = 0; i < std::max<size_t>(1, options_.workers); ++i)
        workers_.emplace_back(&CompanionServer::workerLoop, this);
    acceptor_ = std::thread(&CompanionServer::acceptLoop, this);
    return true;
}

void CompanionServer::stop()
{
    if (!running_.exchange(false)) return;
    if (acceptor_.joinable()) acceptor_.join();
    ready_.notify_all();
    for (auto& worker : workers_)
        worker.join();
    workers_.clear();
    for (int fd : queue_)
        ::close(fd);
    queue_.clear();
    ::close(listenFd_);
    listenFd_ = -1;
}

void CompanionServer::acceptLoop()
{
    while (running_)
    {
        pollfd waiting{listenFd_, POLLIN, 0};
        if (::poll(&waiting, 1, kPollMs) <= 0) continue;
        const int fd = ::accept4(listenFd_, nullptr, nullptr, SOCK_CLOEXEC);
        if (fd < 0)
        {
            // Out of descriptors: the connection stays pending; do not spin on it.
            if (errno == EMFILE || errno == ENFILE) ::poll(nullptr, 0, kPollMs);
            continue;
        }
        {
            std::lock_guard<std::mutex> lock(mutex_);
            if (queue_.size() < options_.queueLimit)
            {
                queue_.push_back(fd);
                ready_.notify_one();
                continue;
            }
        }
        log_.info(peerName(fd) + " refused: too many connections waiting");
        ::close(fd);
    }
}

void CompanionServer::workerLoop()
{
    for (;;)
    {
        int fd = -1;
        {
            std::unique_lock<std::mutex> lock(mutex_);
            ready_.wait(lock, [this] { return !running_ || !queue_.empty(); });
            if (!running_) return;
            fd = queue_.front();
            queue_.pop_front();
        }
        serve(fd);
        ::close(fd);
    }
}

void CompanionServer::serve(int fd)
{
    setTimeout(fd, SO_RCVTIMEO, options_.receiveTimeoutMs);
    setTimeout(fd, SO_SNDTIMEO, options_.receiveTimeoutMs);
    const std::string peer = peerName(fd);
    std::string line;
    const RequestReader::Result result = RequestReader(kMaxRequestBytes).read(fd, line);
    if (result != RequestReader::Result::Line)
    {
        log_.info(peer + " refused: " + RequestReader::describe(result));
        return;
    }
    const RequestHandler::Reply reply = handler_.handle(line, peer);
    if (!reply.answer.empty() && !sendAll(fd, reply.answer))
        log_.info(peer + " went away before the answer was sent");
}

} // namespace companion
