#pragma once

#include "Request.h"

#include <string_view>

namespace companion
{

// Parses one request line (without its line feed) in the exact form the plug-in writes, the
// "parameters" or the "process" line of CompanionProtocol.h, at most kMaxTools tools.
// Anything else, including other spacing, yields RequestKind::Invalid with a reason.
class RequestParser
{
public:
    static Request parse(std::string_view line);

private:
    class Cursor;
};

} // namespace companion
