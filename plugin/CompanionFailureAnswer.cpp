#include "CompanionFailureAnswer.h"

#include <algorithm>

#include "CompanionProtocol.h"

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

// Where the first line of text that starts with prefix begins, or npos.
size_t LineStarting(const std::string& text, const char* prefix)
{
    const size_t prefixLength = CompanionProtocol::LengthOf(prefix);
    for (size_t at = 0; at < text.size(); ++at)
    {
        if (text.compare(at, prefixLength, prefix) == 0) return at;
        at = text.find('\n', at);
        if (at == std::string::npos) break;
    }
    return std::string::npos;
}

// The JSON string that follows a line's prefix, made printable; one left open ends with its
// line, so it never takes in the lines after it.
std::string StringAfter(const std::string& text, size_t at)
{
    while (at < text.size() && text[at] == ' ')
        ++at;
    if (at >= text.size() || text[at] != '"') return {};
    std::string value;
    for (++at; at < text.size() && text[at] != '"' && text[at] != '\n'; ++at)
    {
        const unsigned char c = static_cast<unsigned char>(text[at]);
        if (c != '\\')
        {
            value += c < 0x20 || c == 0x7F ? '?' : static_cast<char>(c);
            continue;
        }
        if (++at >= text.size() || text[at] == '\n') break;
        if (text[at] == 'u')
        {
            value += UnicodeEscape(text, at + 1);
            // Past the four digits' places, but never past a line feed, which ends the line.
            for (size_t skipped = 0; skipped < 4 && at + 1 < text.size() && text[at + 1] != '\n';
                 ++skipped)
                ++at;
            continue;
        }
        value += Escaped(text[at]);
    }
    return value;
}

std::string LineText(const std::string& answer, const char* prefix)
{
    const std::string text = answer.substr(0, kExaminedBytes);
    const size_t line = LineStarting(text, prefix);
    if (line == std::string::npos) return {};
    return StringAfter(text, line + CompanionProtocol::LengthOf(prefix));
}

} // namespace

bool IsFailure(const std::string& answer)
{
    return LineStarting(answer.substr(0, kExaminedBytes),
                        CompanionProtocol::FailureAnswer::kPrefix) != std::string::npos;
}

bool IsReport(const std::string& answer)
{
    return LineStarting(answer.substr(0, kExaminedBytes),
                        CompanionProtocol::ReportAnswer::kPrefix) != std::string::npos;
}

std::string Reason(const std::string& answer)
{
    return LineText(answer, CompanionProtocol::FailureAnswer::kPrefix);
}

std::string Report(const std::string& answer)
{
    return LineText(answer, CompanionProtocol::ReportAnswer::kPrefix);
}

} // namespace CompanionFailureAnswer
