#include "ProcNetTcpTable.h"

#include <cstdint>
#include <cstring>
#include <limits>

#include <netinet/in.h>

namespace orv::platform
{

namespace
{

// Splits off the next field separated by spaces; empty at the end of the line.
std::string_view NextField(std::string_view& line)
{
    size_t start = line.find_first_not_of(' ');
    if (start == std::string_view::npos) start = line.size();
    line.remove_prefix(start);
    const size_t end = std::min(line.find(' '), line.size());
    const std::string_view field = line.substr(0, end);
    line.remove_prefix(end);
    return field;
}

bool HexDigit(char c, uint32_t& value)
{
    if (c >= '0' && c <= '9')
        value = static_cast<uint32_t>(c - '0');
    else if (c >= 'A' && c <= 'F')
        value = static_cast<uint32_t>(c - 'A' + 10);
    else if (c >= 'a' && c <= 'f')
        value = static_cast<uint32_t>(c - 'a' + 10);
    else
        return false;
    return true;
}

// Exactly `digits` hex digits.
bool ParseHex(std::string_view text, size_t digits, uint32_t& value)
{
    if (text.size() != digits) return false;
    value = 0;
    for (char c : text)
    {
        uint32_t digit;
        if (!HexDigit(c, digit)) return false;
        value = (value << 4) | digit;
    }
    return true;
}

// "0100007F:C7B1": the address as 32-bit words printed in the machine's byte order (so
// their bytes in memory are the address as sent), then the port in plain hex.
bool ParseEndpoint(std::string_view text, int family, sockaddr_storage& out)
{
    const size_t words = family == AF_INET ? 1 : 4;
    const size_t colon = text.find(':');
    if (colon != words * 8 || text.size() != colon + 5) return false;
    uint32_t address[4];
    for (size_t i = 0; i < words; ++i)
        if (!ParseHex(text.substr(i * 8, 8), 8, address[i])) return false;
    uint32_t port;
    if (!ParseHex(text.substr(colon + 1), 4, port)) return false;
    out = sockaddr_storage{};
    if (family == AF_INET)
    {
        auto& v4 = reinterpret_cast<sockaddr_in&>(out);
        v4.sin_family = AF_INET;
        std::memcpy(&v4.sin_addr, address, 4);
        v4.sin_port = htons(static_cast<uint16_t>(port));
    }
    else
    {
        auto& v6 = reinterpret_cast<sockaddr_in6&>(out);
        v6.sin6_family = AF_INET6;
        std::memcpy(&v6.sin6_addr, address, 16);
        v6.sin6_port = htons(static_cast<uint16_t>(port));
    }
    return true;
}

bool ParseDecimal(std::string_view text, uint32_t& value)
{
    if (text.empty() || text.size() > 10) return false;
    uint64_t v = 0;
    for (char c : text)
    {
        if (c < '0' || c > '9') return false;
        v = v * 10 + static_cast<uint64_t>(c - '0');
    }
    if (v > std::numeric_limits<uint32_t>::max()) return false;
    value = static_cast<uint32_t>(v);
    return true;
}

// "3:" style slot numbers.
bool IsSlot(std::string_view text)
{
    if (text.size() < 2 || text.back() != ':') return false;
    uint32_t ignored;
    return ParseDecimal(text.substr(0, text.size() - 1), ignored);
}

// "00000000:00000000" and "00:00000000": queue sizes and timer.
bool IsHexPair(std::string_view text, size_t left, size_t right)
{
    uint32_t ignored;
    return text.size() == left + 1 + right && text[left] == ':' &&
           ParseHex(text.substr(0, left), left, ignored) &&
           ParseHex(text.substr(left + 1), right, ignored);
}

} // namespace

std::optional<ProcNetTcpTable::Row> ProcNetTcpTable::ParseLine(std::string_view line, int family)
{
    if (family != AF_INET && family != AF_INET6) return std::nullopt;
    Row row;
    uint32_t state, retransmits, uid;
    if (!IsSlot(NextField(line))) return std::nullopt;
    if (!ParseEndpoint(NextField(line), family, row.local)) return std::nullopt;
    if (!ParseEndpoint(NextField(line), family, row.remote)) return std::nullopt;
    if (!ParseHex(NextField(line), 2, state) || state == 0) return std::nullopt;
    if (!IsHexPair(NextField(line), 8, 8)) return std::nullopt;
    if (!IsHexPair(NextField(line), 2, 8)) return std::nullopt;
    if (!ParseHex(NextField(line), 8, retransmits)) return std::nullopt;
    if (!ParseDecimal(NextField(line), uid)) return std::nullopt;
    // The timeout and the inode follow: a line cut inside the uid would give another uid.
    uint32_t timeout, inode;
    if (!ParseDecimal(NextField(line), timeout) || !ParseDecimal(NextField(line), inode))
        return std::nullopt;
    row.state = static_cast<int>(state);
    row.uid = static_cast<uid_t>(uid);
    return row;
}

std::vector<ProcNetTcpTable::Row> ProcNetTcpTable::Parse(std::string_view text, int family)
{
    std::vector<Row> rows;
    while (!text.empty())
    {
        const size_t end = std::min(text.find('\n'), text.size());
        if (std::optional<Row> row = ParseLine(text.substr(0, end), family)) rows.push_back(*row);
        text.remove_prefix(std::min(end + 1, text.size()));
    }
    return rows;
}

} // namespace orv::platform
