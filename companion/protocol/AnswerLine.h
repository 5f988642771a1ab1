#pragma once

#include <cstddef>
#include <string>

namespace companion
{

// One answer line {"<key>":"<text>"} and a line feed, the text escaped as a JSON string and
// shortened, whole characters at a time, so the whole line stays within maxBytes.
class AnswerLine
{
public:
    static std::string build(const char* key, const std::string& text, size_t maxBytes);
};

} // namespace companion
