#include "RequestParser.h"

#include <climits>
#include <string>

#include "CompanionProtocol.h"

namespace companion
{

namespace
{
constexpr std::string_view kParametersLine = CompanionProtocol::kParametersRequest;
constexpr std::string_view kProcessStart = CompanionProtocol::kProcessOpen;
constexpr std::string_view kListSeparator = CompanionProtocol::kListSeparator;
constexpr std::string_view kListClose = CompanionProtocol::kListClose;
constexpr std::string_view kPresetsStart = CompanionProtocol::kPresetsOpen;
constexpr std::string_view kRangeLowKey = CompanionProtocol::kRangeLowKey;
constexpr std::string_view kRangeHighKey = CompanionProtocol::kRangeHighKey;
constexpr std::string_view kInputKey = CompanionProtocol::kInputKey;
constexpr std::string_view kProcessEnd = CompanionProtocol::kProcessClose;
} // namespace

// Reads the line front to back; every step either consumes what it expects or fails.
class RequestParser::Cursor
{
public:
    explicit Cursor(std::string_view text) : rest_(text) {}

    bool literal(std::string_view expected)
    {
        if (rest_.substr(0, expected.size()) != expected) return false;
        rest_.remove_prefix(expected.size());
        return true;
    }

    bool boolean(bool& value)
    {
        if (literal("true"))
        {
            value = true;
            return true;
        }
        if (literal("false"))
        {
            value = false;
            return true;
        }
        return false;
    }

    // A decimal int as printf's %i writes it: optional minus, digits, no leading plus.
    bool integer(int& value)
    {
        bool negative = literal("-");
        size_t digits = 0;
        long long magnitude = 0;
        while (digits < rest_.size() && rest_[digits] >= '0' && rest_[digits] <= '9')
        {
            magnitude = magnitude * 10 + (rest_[digits] - '0');
            if (magnitude > static_cast<long long>(INT_MAX) + 1) return false;
            ++digits;
        }
        if (digits == 0) return false;
        if (digits > 1 && rest_[0] == '0') return false;
        long long signedValue = negative ? -magnitude : magnitude;
        if (signedValue > INT_MAX || signedValue < INT_MIN) return false;
        value = static_cast<int>(signedValue);
        rest_.remove_prefix(digits);
        return true;
    }

    std::string_view rest() const { return rest_; }

private:
    std::string_view rest_;
};

namespace
{
Request refuse(const std::string& why)
{
    Request request;
    request.error = why;
    return request;
}

bool isPathText(std::string_view path)
{
    for (char c : path)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f) return false;
    return !path.empty();
}
} // namespace

Request RequestParser::parse(std::string_view line)
{
    if (line == kParametersLine)
    {
        Request request;
        request.kind = RequestKind::Parameters;
        return request;
    }

    Cursor cursor(line);
    if (!cursor.literal(kProcessStart)) return refuse("not a request of the companion protocol");

    Request request;
    do
    {
        bool on = false;
        if (!cursor.boolean(on)) return refuse("tool switch is not true or false");
        request.tools.push_back(on);
        if (request.tools.size() > static_cast<size_t>(CompanionProtocol::kMaxTools))
            return refuse("more than " + std::to_string(CompanionProtocol::kMaxTools) + " tools");
    } while (cursor.literal(kListSeparator));
    if (!cursor.literal(kListClose)) return refuse("tool list not closed");

    if (!cursor.literal(kPresetsStart)) return refuse("presets key expected");
    do
    {
        int preset = 0;
        if (!cursor.integer(preset)) return refuse("preset is not an integer");
        request.presets.push_back(preset);
        if (request.presets.size() > static_cast<size_t>(CompanionProtocol::kMaxTools))
            return refuse("more than " + std::to_string(CompanionProtocol::kMaxTools) + " presets");
    } while (cursor.literal(kListSeparator));
    if (!cursor.literal(kListClose)) return refuse("preset list not closed");
    if (request.presets.size() != request.tools.size())
        return refuse("tool and preset lists differ in length");

    if (!cursor.literal(kRangeLowKey) || !cursor.integer(request.rangeLow))
        return refuse("rangeLow expected");
    if (!cursor.literal(kRangeHighKey) || !cursor.integer(request.rangeHigh))
        return refuse("rangeHigh expected");
    if (!cursor.literal(kInputKey)) return refuse("input key expected");

    // The path is written unescaped, so it runs up to the closing quote and brace that end
    // the line.
    std::string_view rest = cursor.rest();
    if (rest.size() < kProcessEnd.size() ||
        rest.substr(rest.size() - kProcessEnd.size()) != kProcessEnd)
        return refuse("request not closed after the input path");
    std::string_view path = rest.substr(0, rest.size() - kProcessEnd.size());
    if (!isPathText(path)) return refuse("input path empty or holding control characters");

    request.input.assign(path);
    request.kind = RequestKind::Process;
    return request;
}

} // namespace companion
