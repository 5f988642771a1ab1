#pragma once

#include <string>
#include <vector>

namespace companion
{

enum class RequestKind
{
    Invalid,
    Parameters,
    Process
};

// One request line as the plug-in writes it, after parsing. For "process" the tool switches
// and preset indexes are listed in tool order and always have the same length.
struct Request
{
    RequestKind kind = RequestKind::Invalid;
    std::vector<bool> tools;
    std::vector<int> presets; // 0-based menu entry of each tool
    int rangeLow = 0;         // Hz
    int rangeHigh = 0;        // Hz
    std::string input;        // interface file path
    std::string error;        // why the line was refused, when kind is Invalid
};

} // namespace companion
