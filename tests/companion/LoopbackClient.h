#pragma once

// The plug-in's side of the exchange, for the suites and the load benchmark: loopback
// connections to a companion on a given port.
#include <chrono>
#include <cstdint>
#include <string>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include "CompanionProtocol.h"

namespace companion::test
{

inline int connectTo(uint16_t port)
{
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(port);
    if (::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0)
    {
        ::close(fd);
        return -1;
    }
    return fd;
}

// Reads until the companion closes the connection (or resets it).
inline std::string readAll(int fd)
{
    std::string answer;
    char buffer[1024];
    ssize_t got;
    while ((got = ::read(fd, buffer, sizeof buffer)) > 0)
        answer.append(buffer, static_cast<size_t>(got));
    return answer;
}

// True when the companion has closed the connection or sent something within `waitMs`.
inline bool heardFrom(int fd, int waitMs)
{
    pollfd watch{fd, POLLIN, 0};
    return ::poll(&watch, 1, waitMs) > 0;
}

// The answer without its progress lines, as the plug-in keeps it; `progressLines` counts them.
inline std::string withoutProgress(const std::string& answer, size_t* progressLines = nullptr)
{
    std::string kept;
    size_t count = 0;
    for (size_t at = 0; at < answer.size();)
    {
        size_t end = answer.find('\n', at);
        end = end == std::string::npos ? answer.size() : end + 1;
        if (answer.rfind(CompanionProtocol::ProgressAnswer::kPrefix, at) == at)
            ++count;
        else
            kept.append(answer, at, end - at);
        at = end;
    }
    if (progressLines) *progressLines = count;
    return kept;
}

// As the plug-in does: one write, then read until the companion closes. The whole answer.
inline std::string exchangeRaw(uint16_t port, const std::string& request)
{
    const int fd = connectTo(port);
    if (fd < 0) return "<no connection>";
    ::send(fd, request.data(), request.size(), MSG_NOSIGNAL);
    std::string answer = readAll(fd);
    ::close(fd);
    return answer;
}

// The answer without its progress lines.
inline std::string exchange(uint16_t port, const std::string& request)
{
    return withoutProgress(exchangeRaw(port, request));
}

inline const std::string kParametersRequest =
    std::string(CompanionProtocol::kParametersRequest) + CompanionProtocol::kLineEnd;

// A "process" request line as the plug-in writes it.
inline std::string processRequest(const std::string& tools, const std::string& presets, int low,
                                  int high, const std::string& path)
{
    using namespace CompanionProtocol;
    return kProcessOpen + tools + kListClose + kPresetsOpen + presets + kListClose + kRangeLowKey +
           std::to_string(low) + kRangeHighKey + std::to_string(high) + kInputKey + path +
           kProcessClose + kLineEnd;
}

// All seven tools, each at its costliest preset: minutes of audio keep a companion at work
// for a second or more, long enough for a test to act while the job is under way.
inline std::string longRequest(const std::string& path)
{
    return processRequest("true,true,true,true,true,true,true", "4,2,2,2,0,2,0", 100, 8000, path);
}

using Clock = std::chrono::steady_clock;

inline double millisecondsSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// A processed request's answer: one report line within its limit.
inline bool isReport(const std::string& answer)
{
    return answer.rfind(CompanionProtocol::ReportAnswer::kPrefix, 0) == 0 &&
           answer.size() <= CompanionProtocol::ReportAnswer::kMaxLineBytes &&
           answer.find('\n') == answer.size() - 1;
}

} // namespace companion::test
