#include "RequestReader.h"

#include <cstring>

namespace companion
{

RequestReader::Result RequestReader::feed(const char* data, size_t size)
{
    if (result_ != Result::Incomplete) return result_;
    const char* end = size > 0 ? static_cast<const char*>(std::memchr(data, '\n', size)) : nullptr;
    const size_t taken = end ? static_cast<size_t>(end - data) : size;
    if (line_.size() + taken > maxBytes_)
    {
        result_ = Result::TooLong;
        line_.clear();
        return result_;
    }
    line_.append(data, taken);
    if (!end) return result_;
    result_ = taken + 1 == size ? Result::Line : Result::TrailingData;
    if (result_ != Result::Line) line_.clear();
    return result_;
}

const char* RequestReader::describe(Result result)
{
    switch (result)
    {
    case Result::Incomplete:
        return "no complete line yet";
    case Result::Line:
        return "request line";
    case Result::TooLong:
        return "line too long";
    case Result::TrailingData:
        return "data after the request line";
    }
    return "unknown";
}

} // namespace companion
