#pragma once

#include <cstddef>
#include <string>

namespace companion
{

// Reads one request line from a connected socket: bytes up to the first line feed, which
// must be the last byte the client sent so far. The caller sets the socket's receive timeout.
class RequestReader
{
public:
    enum class Result
    {
        Line,         // `line` holds the request without its line feed
        TooLong,      // no line feed within the limit
        Closed,       // the peer closed before a line feed
        TrailingData, // more bytes followed the line feed
        TimedOut,
        Failed
    };

    explicit RequestReader(size_t maxBytes) : maxBytes_(maxBytes) {}

    Result read(int fd, std::string& line) const;
    static const char* describe(Result result);

private:
    size_t maxBytes_;
};

} // namespace companion
