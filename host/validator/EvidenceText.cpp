#include "EvidenceText.h"

#include <cstdio>
#include <cstring>

namespace orv::host::validator
{

std::string ExactDigits(double value)
{
    char text[40];
    std::snprintf(text, sizeof text, "%.17g", value);
    return text;
}

std::string PrintableIdentifier(const char* identifier)
{
    if (!identifier) return "(null)";
    const size_t length = std::strlen(identifier);
    if (length == 0) return "(empty)";
    constexpr size_t kShown = 40;
    std::string shown = "\"";
    for (size_t i = 0; i < length && i < kShown; ++i)
    {
        const unsigned char c = static_cast<unsigned char>(identifier[i]);
        if (c >= 0x20 && c < 0x7F && c != '\\' && c != '"')
        {
            shown += static_cast<char>(c);
            continue;
        }
        char escaped[8];
        std::snprintf(escaped, sizeof escaped, "\\x%02x", c);
        shown += escaped;
    }
    shown += "\"";
    if (length > kShown) shown += "... (" + std::to_string(length) + " bytes)";
    return shown;
}

std::string FileNamePart(const std::string& text)
{
    std::string part = text.empty() ? "_" : text;
    for (char& c : part)
    {
        const bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
                           (c >= '0' && c <= '9') || c == '-' || c == '.';
        if (!plain) c = '_';
    }
    return part;
}

} // namespace orv::host::validator
