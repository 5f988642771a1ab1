#pragma once

#include <string>

namespace companion
{

// The one line a refused or failed request is answered with: {"error":"<reason>"} and a
// line feed, the reason escaped as a JSON string and shortened so the whole line stays
// within kMaxErrorAnswerBytes. The plug-in takes any answer starting {"error": as a failure.
class ErrorAnswer
{
public:
    static std::string build(const std::string& reason);
    static bool isError(const std::string& answer);
};

} // namespace companion
