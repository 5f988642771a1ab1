#pragma once

#include "Request.h"

#include <string_view>

namespace companion
{

// Parses one request line (without its line feed) in the exact form the plug-in writes:
//   {request:"parameters"}
//   {request:"process", tools:[true,false], presets: [3,0],rangeLow: 0, rangeHigh: 22050,
//   input: "/path/Orvendal_interface_0.wav"}            (on one line)
// Anything else, including other spacing, yields RequestKind::Invalid with a reason.
class RequestParser
{
public:
    static Request parse(std::string_view line);

private:
    class Cursor;
};

} // namespace companion
