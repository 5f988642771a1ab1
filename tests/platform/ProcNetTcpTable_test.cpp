#include "linux/ProcNetTcpTable.h"

#include <gtest/gtest.h>

#include <cstring>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <unistd.h>

using orv::platform::ProcNetTcpTable;
using namespace std::string_literals;

namespace
{

constexpr const char* kHeading = "  sl  local_address rem_address   st tx_queue rx_queue tr "
                                 "tm->when retrnsmt   uid  timeout inode";

// A row as the kernel prints it: the address word in the machine's byte order.
std::string V4Row(const char* address, uint16_t port, const char* remote, uint16_t remotePort,
                  int state, const char* uid)
{
    in_addr local{}, peer{};
    inet_pton(AF_INET, address, &local);
    inet_pton(AF_INET, remote, &peer);
    uint32_t localWord, peerWord;
    std::memcpy(&localWord, &local, 4);
    std::memcpy(&peerWord, &peer, 4);
    char line[200];
    std::snprintf(line, sizeof line,
                  "   3: %08X:%04X %08X:%04X %02X 00000000:00000000 00:00000000 00000000 %5s "
                  "       0 4242 1 0000000000000000 100 0 0 10 0",
                  localWord, port, peerWord, remotePort, state, uid);
    return line;
}

} // namespace

TEST(ProcNetTcpTable, ReadsRowsOfBothFamiliesAndSkipsEveryMalformedLine)
{
    const std::string row = V4Row("127.0.0.1", 51121, "127.0.0.1", 40312, 1, "1000");
    const auto parsed = ProcNetTcpTable::ParseLine(row, AF_INET);
    ASSERT_TRUE(parsed);
    const auto& local = reinterpret_cast<const sockaddr_in&>(parsed->local);
    const auto& remote = reinterpret_cast<const sockaddr_in&>(parsed->remote);
    EXPECT_EQ(local.sin_family, AF_INET);
    EXPECT_EQ(ntohl(local.sin_addr.s_addr), INADDR_LOOPBACK);
    EXPECT_EQ(ntohs(local.sin_port), 51121);
    EXPECT_EQ(ntohs(remote.sin_port), 40312);
    EXPECT_EQ(parsed->state, 1);
    EXPECT_EQ(parsed->uid, 1000u);

    // ::1, printed as four words of the machine's byte order.
    uint32_t words[4];
    std::memcpy(words, &in6addr_loopback, 16);
    char v6[300];
    std::snprintf(v6, sizeof v6,
                  "   0: %08X%08X%08X%08X:C7B1 00000000000000000000000000000000:0000 0A "
                  "00000000:00000000 00:00000000 00000000 65534        0 99 1",
                  words[0], words[1], words[2], words[3]);
    const auto listener = ProcNetTcpTable::ParseLine(v6, AF_INET6);
    ASSERT_TRUE(listener);
    const auto& v6Local = reinterpret_cast<const sockaddr_in6&>(listener->local);
    EXPECT_EQ(std::memcmp(&v6Local.sin6_addr, &in6addr_loopback, 16), 0);
    EXPECT_EQ(ntohs(v6Local.sin6_port), 0xC7B1);
    EXPECT_EQ(listener->state, 10);
    EXPECT_EQ(listener->uid, 65534u);
    EXPECT_FALSE(ProcNetTcpTable::ParseLine(v6, AF_INET)) << "an IPv6 row read as IPv4";
    EXPECT_FALSE(ProcNetTcpTable::ParseLine(row, AF_INET6)) << "an IPv4 row read as IPv6";
    EXPECT_FALSE(ProcNetTcpTable::ParseLine(row, AF_UNIX));

    const std::string malformed[] = {
        "",
        kHeading,
        V4Row("127.0.0.1", 1, "0.0.0.0", 0, 0, "0"),          // state 0 does not exist
        V4Row("127.0.0.1", 1, "0.0.0.0", 0, 1, "-1"),         // a negative uid
        V4Row("127.0.0.1", 1, "0.0.0.0", 0, 1, "4294967296"), // past 32 bits
        V4Row("127.0.0.1", 1, "0.0.0.0", 0, 1, "1O00"),       // a letter in the uid
        "   3: 0100007F:C7B1",                                // cut short
        "   3: 0100007F:C7B1 00000000:0000",
        "   3: 0100007F:C7B1 00000000:0000 0A",
        "   3: 0100007G:C7B1 00000000:0000 0A 00000000:00000000 00:00000000 00000000 0 0 1",
        "   3: 100007F:C7B1 00000000:0000 0A 00000000:00000000 00:00000000 00000000 0 0 1",
        "   3: 0100007F:C7B10 00000000:0000 0A 00000000:00000000 00:00000000 00000000 0 0 1",
        "   3: 0100007F-C7B1 00000000:0000 0A 00000000:00000000 00:00000000 00000000 0 0 1",
        "   3: 0100007F:C7B1 00000000:0000 A 00000000:00000000 00:00000000 00000000 0 0 1",
        "   3: 0100007F:C7B1 00000000:0000 0A 0000000000000000 00:00000000 00000000 0 0 1",
        "   3: 0100007F:C7B1 00000000:0000 0A 00000000:00000000 00:0000000 00000000 0 0 1",
        "   3 0100007F:C7B1 00000000:0000 0A 00000000:00000000 00:00000000 00000000 0 0 1",
        "   x: 0100007F:C7B1 00000000:0000 0A 00000000:00000000 00:00000000 00000000 0 0 1",
        "   3: 0100007F:C7B1\0 00000000:0000 0A 00000000:00000000 00:00000000 00000000 0 0 1"s,
        "   3: 0100007F:C7B1 00000000:0000 0A 00000000:00000000 00:00000000 00000000 0 0"s,
    };
    for (const std::string& line : malformed)
        EXPECT_FALSE(ProcNetTcpTable::ParseLine(line, AF_INET)) << "accepted: " << line;

    // Every prefix of a good row is refused, and the whole table keeps only good rows.
    for (size_t cut = 0; cut < row.find(" 4242") + 1; ++cut)
        EXPECT_FALSE(ProcNetTcpTable::ParseLine(row.substr(0, cut), AF_INET)) << cut;
    std::string table = std::string(kHeading) + "\n";
    for (const std::string& line : malformed)
        table += line + "\n";
    table += row; // the last line without its newline
    const auto rows = ProcNetTcpTable::Parse(table, AF_INET);
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].uid, 1000u);
}

TEST(ProcNetTcpTable, FindsTheTestsOwnListenerInTheKernelsTable)
{
    const int listening = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    ASSERT_EQ(::bind(listening, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    ASSERT_EQ(::listen(listening, 1), 0);
    ::getsockname(listening, reinterpret_cast<sockaddr*>(&address), &length);

    FILE* file = std::fopen("/proc/net/tcp", "r");
    ASSERT_TRUE(file);
    std::string text;
    char chunk[4096];
    while (size_t got = std::fread(chunk, 1, sizeof chunk, file))
        text.append(chunk, got);
    std::fclose(file);
    ::close(listening);

    int matches = 0;
    for (const auto& row : ProcNetTcpTable::Parse(text, AF_INET))
    {
        const auto& local = reinterpret_cast<const sockaddr_in&>(row.local);
        if (local.sin_port != address.sin_port || local.sin_addr.s_addr != address.sin_addr.s_addr)
            continue;
        ++matches;
        EXPECT_EQ(row.state, 10);
        EXPECT_EQ(row.uid, ::geteuid());
    }
    EXPECT_EQ(matches, 1);
}
