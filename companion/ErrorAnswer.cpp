#include "ErrorAnswer.h"

#include "CompanionConstants.h"
#include "FailureAnswer.h"

#include <nlohmann/json.hpp>

namespace companion
{

namespace
{

std::string line(const std::string& reason)
{
    // Invalid UTF-8 (a path's bytes, say) becomes U+FFFD rather than an exception.
    const nlohmann::json object = {{"error", reason}};
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

std::string ErrorAnswer::build(const std::string& reason)
{
    std::string answer = line(reason);
    if (answer.size() <= kMaxErrorAnswerBytes) return answer;
    // Escapes make the line longer than the reason by a varying amount: the longest
    // beginning of the reason that fits is searched for.
    size_t fits = 0;
    size_t tooLong = reason.size();
    while (tooLong - fits > 1)
    {
        const size_t middle = fits + (tooLong - fits) / 2;
        if (line(reason.substr(0, characterBoundary(reason, middle))).size() <=
            kMaxErrorAnswerBytes)
            fits = middle;
        else
            tooLong = middle;
    }
    return line(reason.substr(0, characterBoundary(reason, fits)));
}

bool ErrorAnswer::isError(const std::string& answer)
{
    return answer.rfind(FailureAnswer::kPrefix, 0) == 0;
}

} // namespace companion
