#include "CompanionFailureAnswer.h"

#include <algorithm>

#include "FailureAnswer.h"

namespace CompanionFailureAnswer
{
namespace
{

int HexValue(char c)
{
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// A \uXXXX escape as a byte of the reason: plain ASCII stays, anything else is shown as '?'
// rather than decoded into bytes the trace may not take.
char UnicodeEscape(const std::string& text, size_t at)
{
    if (at + 4 > text.size()) return '?';
    int value = 0;
    for (size_t i = at; i < at + 4; ++i)
    {
        const int digit = HexValue(text[i]);
        if (digit < 0) return '?';
        value = value * 16 + digit;
    }
    return value >= 0x20 && value < 0x7F ? static_cast<char>(value) : '?';
}

char Escaped(char c)
{
    switch (c)
    {
    case 'n':
    case 'r':
    case 't':
    case 'b':
    case 'f':
        return ' ';
    case '"':
    case '\\':
    case '/':
        return c;
    }
    return '?';
}

} // namespace

bool IsFailure(const std::string& answer)
{
    return answer.compare(0, FailureAnswer::kPrefixLength, FailureAnswer::kPrefix) == 0;
}

std::string Reason(const std::string& answer)
{
    if (!IsFailure(answer)) return {};
    const std::string text = answer.substr(0, kExaminedBytes);
    size_t at = FailureAnswer::kPrefixLength;
    while (at < text.size() && text[at] == ' ')
        ++at;
    if (at >= text.size() || text[at] != '"') return {};
    std::string reason;
    for (++at; at < text.size() && text[at] != '"'; ++at)
    {
        const unsigned char c = static_cast<unsigned char>(text[at]);
        if (c != '\\')
        {
            reason += c < 0x20 || c == 0x7F ? '?' : static_cast<char>(c);
            continue;
        }
        if (++at >= text.size()) break;
        if (text[at] == 'u')
        {
            reason += UnicodeEscape(text, at + 1);
            at = std::min(at + 4, text.size() - 1);
            continue;
        }
        reason += Escaped(text[at]);
    }
    return reason;
}

} // namespace CompanionFailureAnswer
