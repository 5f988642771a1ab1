#pragma once

#include <optional>
#include <string_view>
#include <vector>

#include <sys/socket.h>
#include <sys/types.h>

namespace orv::platform
{

// The kernel's text table of TCP sockets (/proc/net/tcp for IPv4, /proc/net/tcp6 for IPv6),
// read when its socket diagnostics cannot answer. Each row gives both endpoints as hex
// words in the machine's own byte order, the state in hex and the owner's uid in decimal.
// A line that does not have that shape is skipped, never guessed at.
class ProcNetTcpTable
{
public:
    struct Row
    {
        sockaddr_storage local{};
        sockaddr_storage remote{};
        int state = 0;
        uid_t uid = 0;
    };

    // One data line of the table of `family` (AF_INET or AF_INET6); nothing for the heading
    // or a malformed line.
    static std::optional<Row> ParseLine(std::string_view line, int family);
    // Every well-formed row of a whole table's text.
    static std::vector<Row> Parse(std::string_view text, int family);
};

} // namespace orv::platform
