#include "RequestReader.h"

#include <cerrno>

#include <sys/socket.h>

namespace companion
{

RequestReader::Result RequestReader::read(int fd, std::string& line) const
{
    line.clear();
    char buffer[1024];
    for (;;)
    {
        const ssize_t got = ::recv(fd, buffer, sizeof buffer, 0);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0)
            return errno == EAGAIN || errno == EWOULDBLOCK ? Result::TimedOut : Result::Failed;
        if (got == 0) return Result::Closed;
        for (ssize_t i = 0; i < got; ++i)
        {
            if (buffer[i] != '\n') continue;
            if (line.size() + i > maxBytes_) return Result::TooLong;
            line.append(buffer, static_cast<size_t>(i));
            return i + 1 == got ? Result::Line : Result::TrailingData;
        }
        line.append(buffer, static_cast<size_t>(got));
        if (line.size() > maxBytes_) return Result::TooLong;
    }
}

const char* RequestReader::describe(Result result)
{
    switch (result)
    {
    case Result::Line:
        return "request line";
    case Result::TooLong:
        return "line too long";
    case Result::Closed:
        return "closed before a complete line";
    case Result::TrailingData:
        return "data after the request line";
    case Result::TimedOut:
        return "no complete line in time";
    case Result::Failed:
        return "receive error";
    }
    return "unknown";
}

} // namespace companion
