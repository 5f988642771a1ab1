#include "RequestReader.h"

#include <gtest/gtest.h>

#include <string>
#include <thread>

#include <sys/socket.h>
#include <unistd.h>

namespace companion
{
namespace
{

struct SocketPair
{
    int client = -1;
    int server = -1;
    SocketPair()
    {
        int fds[2];
        EXPECT_EQ(::socketpair(AF_UNIX, SOCK_STREAM, 0, fds), 0);
        client = fds[0];
        server = fds[1];
        timeval tv{0, 200000};
        ::setsockopt(server, SOL_SOCKET, SO_RCVTIMEO, &tv, sizeof tv);
    }
    ~SocketPair()
    {
        ::close(client);
        ::close(server);
    }
    void send(const std::string& text)
    {
        ASSERT_EQ(::write(client, text.data(), text.size()), static_cast<ssize_t>(text.size()));
    }
};

TEST(RequestReader, ReadsOneLineAndRefusesTheRest)
{
    const RequestReader reader(64);
    std::string line;
    {
        SocketPair pair;
        pair.send("{request:\"parameters\"}\n");
        EXPECT_EQ(reader.read(pair.server, line), RequestReader::Result::Line);
        EXPECT_EQ(line, "{request:\"parameters\"}");
    }
    {
        // A line arriving in pieces, the client keeping its side open as the plug-in does.
        SocketPair pair;
        std::thread writer(
            [&]
            {
                pair.send("{request:");
                std::this_thread::sleep_for(std::chrono::milliseconds(20));
                pair.send("\"parameters\"}\n");
            });
        EXPECT_EQ(reader.read(pair.server, line), RequestReader::Result::Line);
        writer.join();
        EXPECT_EQ(line, "{request:\"parameters\"}");
    }
    {
        SocketPair pair;
        pair.send(std::string(64, 'x') + "\n");
        EXPECT_EQ(reader.read(pair.server, line), RequestReader::Result::Line);
    }
    {
        SocketPair pair;
        pair.send(std::string(65, 'x') + "\n");
        EXPECT_EQ(reader.read(pair.server, line), RequestReader::Result::TooLong);
    }
    {
        SocketPair pair;
        pair.send(std::string(5000, 'x'));
        EXPECT_EQ(reader.read(pair.server, line), RequestReader::Result::TooLong);
    }
    {
        SocketPair pair;
        pair.send("GET / HTTP/1.1\r\nHost: x\r\n\r\n");
        EXPECT_EQ(reader.read(pair.server, line), RequestReader::Result::TrailingData);
    }
    {
        SocketPair pair;
        pair.send("{request:");
        ::shutdown(pair.client, SHUT_WR);
        EXPECT_EQ(reader.read(pair.server, line), RequestReader::Result::Closed);
    }
    {
        SocketPair pair;
        pair.send("{request:");
        EXPECT_EQ(reader.read(pair.server, line), RequestReader::Result::TimedOut);
    }
}

} // namespace
} // namespace companion
