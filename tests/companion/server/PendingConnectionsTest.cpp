#include "PendingConnections.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

namespace companion
{
namespace
{

UniqueFd someFd()
{
    return UniqueFd(::open("/dev/null", O_RDONLY | O_CLOEXEC));
}

TEST(PendingConnections, KeepsThemOldestFirstAndHandsThemOverByDescriptor)
{
    PendingConnections pending(64);
    const auto start = PendingConnections::Clock::now();
    std::vector<int> fds;
    for (int i = 0; i < 4; ++i)
    {
        auto& added = pending.add(someFd(), "peer" + std::to_string(i),
                                  start + std::chrono::milliseconds(i));
        fds.push_back(added.fd.get());
        EXPECT_EQ(added.reader.feed("{req", 4), RequestReader::Result::Incomplete);
    }
    ASSERT_EQ(pending.size(), 4u);
    EXPECT_EQ(pending.oldest()->peer, "peer0");
    ASSERT_NE(pending.find(fds[2]), nullptr);
    EXPECT_EQ(pending.find(fds[2])->peer, "peer2");
    EXPECT_EQ(pending.find(-5), nullptr);

    // Taken from the middle: the order of the rest holds, and the reader kept its bytes.
    PendingConnections::Connection middle = pending.take(fds[1]);
    EXPECT_EQ(middle.peer, "peer1");
    EXPECT_EQ(middle.fd.get(), fds[1]);
    const std::string rest = "uest:\"parameters\"}\n";
    EXPECT_EQ(middle.reader.feed(rest.data(), rest.size()), RequestReader::Result::Line);
    EXPECT_EQ(middle.reader.line(), "{request:\"parameters\"}");
    EXPECT_EQ(pending.find(fds[1]), nullptr);

    EXPECT_EQ(pending.takeOldest().peer, "peer0");
    EXPECT_EQ(pending.takeOldest().peer, "peer2");
    EXPECT_EQ(pending.oldest()->peer, "peer3");
    pending.takeOldest();
    EXPECT_TRUE(pending.empty());
    EXPECT_EQ(pending.oldest(), nullptr);
    // Each was closed as it went.
    for (int fd : {fds[0], fds[2], fds[3]})
        EXPECT_EQ(::fcntl(fd, F_GETFD), -1) << fd;
}

} // namespace
} // namespace companion
