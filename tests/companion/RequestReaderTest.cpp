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

// Sends `text` from one end of a fresh socket pair (closing that end's writing side when
// asked) and reads a line at the other.
RequestReader::Result readAfterSending(const std::string& text, bool closeAfter, std::string& line)
{
    int fds[2];
    EXPECT_EQ(::socketpair(AF_UNIX, SOCK_STREAM, 0, fds), 0);
    timeval tv{1, 0}; // generous: the writer thread may be descheduled under load
    ::setsockopt(fds[1], SOL_SOCKET, SO_RCVTIMEO, &tv, sizeof tv);
    // In two pieces, as a line may arrive.
    std::thread writer(
        [&]
        {
            const size_t half = text.size() / 2;
            EXPECT_EQ(::write(fds[0], text.data(), half), static_cast<ssize_t>(half));
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
            EXPECT_EQ(::write(fds[0], text.data() + half, text.size() - half),
                      static_cast<ssize_t>(text.size() - half));
            if (closeAfter) ::shutdown(fds[0], SHUT_WR);
        });
    const RequestReader::Result result = RequestReader(64).read(fds[1], line);
    writer.join();
    ::close(fds[0]);
    ::close(fds[1]);
    return result;
}

TEST(RequestReader, ReadsOneLineAndRefusesTheRest)
{
    using Result = RequestReader::Result;
    std::string line;
    // The plug-in keeps its side open after the line.
    EXPECT_EQ(readAfterSending("{request:\"parameters\"}\n", false, line), Result::Line);
    EXPECT_EQ(line, "{request:\"parameters\"}");
    EXPECT_EQ(readAfterSending(std::string(64, 'x') + "\n", false, line), Result::Line);

    EXPECT_EQ(readAfterSending(std::string(65, 'x') + "\n", false, line), Result::TooLong);
    EXPECT_EQ(readAfterSending(std::string(5000, 'x'), false, line), Result::TooLong);
    EXPECT_EQ(readAfterSending("GET / HTTP/1.1\r\nHost: x\r\n\r\n", false, line),
              Result::TrailingData);
    EXPECT_EQ(readAfterSending("{request:", true, line), Result::Closed);
    EXPECT_EQ(readAfterSending("{request:", false, line), Result::TimedOut);
}

} // namespace
} // namespace companion
