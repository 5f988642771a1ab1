#include "AnswerLine.h"

#include <nlohmann/json.hpp>

namespace companion
{

namespace
{

std::string line(const char* key, const std::string& text)
{
    // Invalid UTF-8 (a path's bytes, say) becomes U+FFFD rather than an exception.
    const nlohmann::json object = {{key, text}};
    return object.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace) + '\n';
}

// Where a cut of `text` to at most `size` bytes may fall without splitting a UTF-8 sequence.
size_t characterBoundary(const std::string& text, size_t size)
{
    while (size > 0 && size < text.size() &&
           (static_cast<unsigned char>(text[size]) & 0xC0) == 0x80)
        --size;
    return size;
}
} // namespace

std::string AnswerLine::build(const char* key, const std::string& text, size_t maxBytes)
{
    std::string answer = line(key, text);
    if (answer.size() <= maxBytes) return answer;
    // Escapes make the line longer than the text by a varying amount: the longest
    // beginning of the text that fits is searched for.
    size_t fits = 0;
    size_t tooLong = text.size();
    while (tooLong - fits > 1)
    {
        const size_t middle = fits + (tooLong - fits) / 2;
        if (line(key, text.substr(0, characterBoundary(text, middle))).size() <= maxBytes)
            fits = middle;
        else
            tooLong = middle;
    }
    return line(key, text.substr(0, characterBoundary(text, fits)));
}

} // namespace companion
