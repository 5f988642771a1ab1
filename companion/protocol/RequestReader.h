#pragma once

#include <cstddef>
#include <string>

namespace companion
{

// Collects one request line from the bytes of a connection, piece by piece as reads deliver
// them: the bytes up to the first line feed, which must be the last byte the client sent so
// far. Once the result is no longer Incomplete it stays as it is and later bytes are ignored.
class RequestReader
{
public:
    enum class Result
    {
        Incomplete,  // no line feed yet, and still within the limit
        Line,        // line() holds the request without its line feed
        TooLong,     // no line feed within the limit
        TrailingData // more bytes followed the line feed in the same read
    };

    explicit RequestReader(size_t maxBytes) : maxBytes_(maxBytes) {}

    // Takes the bytes one read returned.
    Result feed(const char* data, size_t size);
    Result result() const { return result_; }
    const std::string& line() const { return line_; }
    static const char* describe(Result result);

private:
    size_t maxBytes_;
    Result result_ = Result::Incomplete;
    std::string line_;
};

} // namespace companion
