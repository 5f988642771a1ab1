#include "SocketOwner.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstddef>

#include <linux/audit.h>
#include <linux/filter.h>
#include <linux/seccomp.h>
#include <netinet/in.h>
#include <sys/prctl.h>
#include <sys/socket.h>
#include <sys/syscall.h>
#include <unistd.h>

#include "ForeignListener.h"
#include "OtherUser.h"

using orv::host::validator::ForeignListener;
using orv::host::validator::OtherUser;
using orv::platform::SocketOwner;

namespace
{

class Fd
{
public:
    explicit Fd(int fd = -1) : mFd(fd) {}
    ~Fd()
    {
        if (mFd >= 0) ::close(mFd);
    }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    int Get() const { return mFd; }
    void Reset(int fd)
    {
        if (mFd >= 0) ::close(mFd);
        mFd = fd;
    }
    void Close() { Reset(-1); }

private:
    int mFd;
};

sockaddr_storage Loopback(int family, uint16_t port)
{
    sockaddr_storage storage{};
    if (family == AF_INET)
    {
        auto& v4 = reinterpret_cast<sockaddr_in&>(storage);
        v4.sin_family = AF_INET;
        v4.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        v4.sin_port = htons(port);
    }
    else
    {
        auto& v6 = reinterpret_cast<sockaddr_in6&>(storage);
        v6.sin6_family = AF_INET6;
        v6.sin6_addr = in6addr_loopback;
        v6.sin6_port = htons(port);
    }
    return storage;
}

sockaddr_storage Name(int fd, bool peer)
{
    sockaddr_storage storage{};
    socklen_t length = sizeof storage;
    if (peer)
        ::getpeername(fd, reinterpret_cast<sockaddr*>(&storage), &length);
    else
        ::getsockname(fd, reinterpret_cast<sockaddr*>(&storage), &length);
    return storage;
}

// A listener on the loopback address of family and a client connected to it; false when
// the family has no loopback here (IPv6 switched off).
bool Connect(int family, Fd& listening, Fd& client)
{
    listening.Reset(::socket(family, SOCK_STREAM, 0));
    const sockaddr_storage any = Loopback(family, 0);
    const socklen_t size = family == AF_INET ? sizeof(sockaddr_in) : sizeof(sockaddr_in6);
    if (::bind(listening.Get(), reinterpret_cast<const sockaddr*>(&any), size) != 0 ||
        ::listen(listening.Get(), 4) != 0)
        return false;
    const sockaddr_storage bound = Name(listening.Get(), false);
    client.Reset(::socket(family, SOCK_STREAM, 0));
    return ::connect(client.Get(), reinterpret_cast<const sockaddr*>(&bound), size) == 0;
}

#if defined(__x86_64__)
constexpr uint32_t kArch = AUDIT_ARCH_X86_64;
#elif defined(__aarch64__)
constexpr uint32_t kArch = AUDIT_ARCH_AARCH64;
#else
constexpr uint32_t kArch = 0;
#endif

// Takes netlink sockets away from this process for good (a seccomp filter that fails
// socket(AF_NETLINK, ...)), as a sandbox or a kernel without socket diagnostics would.
bool LoseNetlink()
{
    sock_filter filter[] = {
        BPF_STMT(BPF_LD | BPF_W | BPF_ABS, offsetof(seccomp_data, arch)),
        BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, kArch, 1, 0),
        BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ALLOW),
        BPF_STMT(BPF_LD | BPF_W | BPF_ABS, offsetof(seccomp_data, nr)),
        BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, __NR_socket, 0, 3),
        BPF_STMT(BPF_LD | BPF_W | BPF_ABS, offsetof(seccomp_data, args[0])),
        BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, AF_NETLINK, 0, 1),
        BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ERRNO | EAFNOSUPPORT),
        BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ALLOW),
    };
    sock_fprog program{static_cast<unsigned short>(sizeof filter / sizeof *filter), filter};
    return ::prctl(PR_SET_NO_NEW_PRIVS, 1, 0, 0, 0) == 0 &&
           ::prctl(PR_SET_SECCOMP, SECCOMP_MODE_FILTER, &program) == 0 &&
           ::socket(AF_NETLINK, SOCK_DGRAM, 0) < 0;
}

} // namespace

TEST(SocketOwner, WithoutNetlinkTheKernelsTablesGiveTheSameAnswers)
{
    if (kArch == 0) GTEST_SKIP() << "no seccomp architecture known for this machine";
    const pid_t child = ::fork();
    if (child == 0)
    {
        if (!LoseNetlink()) ::_exit(10);
        int failures = 0;
        for (const int family : {AF_INET, AF_INET6})
        {
            Fd listening, client;
            if (!Connect(family, listening, client)) continue; // no IPv6 here
            Fd accepted(::accept(listening.Get(), nullptr, nullptr));
            std::string found;
            const bool peer = SocketOwner::PeerIsOwnUsers(accepted.Get(), &found);
            if (!peer || found.find("ESTABLISHED (/proc/net/tcp)") == std::string::npos)
                failures |= 1;
            if (!SocketOwner::ListenerIsOwnUsers(client.Get(), &found) ||
                found.find("LISTEN (/proc/net/tcp)") == std::string::npos)
                failures |= 2;
            sockaddr_storage wrongPort = Name(client.Get(), true);
            reinterpret_cast<sockaddr_in&>(wrongPort).sin_port ^= htons(1);
            if (SocketOwner::OfConnection(Name(client.Get(), false), wrongPort).outcome !=
                SocketOwner::Outcome::kNotFound)
                failures |= 4;
        }
        ::_exit(failures);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0) << "10: netlink not taken away; else 1 peer, 2 listener, "
                                         "4 a port off was found";
}

TEST(SocketOwner, FindsOwnSocketsByBothEndpointsInEitherFamily)
{
    for (const int family : {AF_INET, AF_INET6})
    {
        SCOPED_TRACE(family == AF_INET ? "IPv4" : "IPv6");
        Fd listening, client;
        if (!Connect(family, listening, client))
        {
            ASSERT_EQ(family, AF_INET6) << "no IPv4 loopback";
            continue;
        }
        Fd accepted(::accept(listening.Get(), nullptr, nullptr));
        const sockaddr_storage clientSide = Name(client.Get(), false);
        const sockaddr_storage serverSide = Name(client.Get(), true);

        const SocketOwner::Answer connection = SocketOwner::OfConnection(clientSide, serverSide);
        EXPECT_EQ(connection.outcome, SocketOwner::Outcome::kFound);
        EXPECT_EQ(connection.state, SocketOwner::kEstablished);
        EXPECT_EQ(connection.uid, ::geteuid());
        const SocketOwner::Answer listener = SocketOwner::OfListener(serverSide);
        EXPECT_EQ(listener.outcome, SocketOwner::Outcome::kFound);
        EXPECT_EQ(listener.state, SocketOwner::kListen);
        EXPECT_EQ(listener.uid, ::geteuid());

        // Endpoints swapped, or one port off: another socket, or none.
        const SocketOwner::Answer swapped = SocketOwner::OfConnection(serverSide, clientSide);
        EXPECT_EQ(swapped.outcome, SocketOwner::Outcome::kFound); // the accepted one
        sockaddr_storage wrongPort = serverSide;
        // sin_port and sin6_port share their place.
        reinterpret_cast<sockaddr_in&>(wrongPort).sin_port ^= htons(1);
        EXPECT_EQ(SocketOwner::OfConnection(clientSide, wrongPort).outcome,
                  SocketOwner::Outcome::kNotFound);
        EXPECT_EQ(SocketOwner::OfListener(Loopback(family, 1)).outcome,
                  SocketOwner::Outcome::kNotFound);

        std::string found;
        EXPECT_TRUE(SocketOwner::PeerIsOwnUsers(accepted.Get(), &found)) << found;
        EXPECT_NE(found.find("ESTABLISHED"), std::string::npos) << found;
        EXPECT_TRUE(SocketOwner::ListenerIsOwnUsers(client.Get(), &found)) << found;
    }
}

TEST(SocketOwner, AClientThatClosedBeforeTheAcceptIsNoEstablishedPeer)
{
    Fd listening, client;
    ASSERT_TRUE(Connect(AF_INET, listening, client));
    ASSERT_EQ(::send(client.Get(), "x\n", 2, 0), 2);
    client.Close();
    Fd accepted(::accept(listening.Get(), nullptr, nullptr));
    std::string found;
    EXPECT_FALSE(SocketOwner::PeerIsOwnUsers(accepted.Get(), &found));
    EXPECT_EQ(found.find("ESTABLISHED"), std::string::npos) << found;
    EXPECT_FALSE(SocketOwner::PeerIsOwnUsers(-1, &found));
    EXPECT_FALSE(SocketOwner::ListenerIsOwnUsers(-1, &found));
}

TEST(SocketOwner, AnotherUsersListenerIsNotOurs)
{
    if (!OtherUser::Available()) GTEST_SKIP() << "only root can become another user";
    ForeignListener foreign(0);
    ASSERT_NE(foreign.Port(), 0);
    Fd client(::socket(AF_INET, SOCK_STREAM, 0));
    const sockaddr_storage address = Loopback(AF_INET, foreign.Port());
    ASSERT_EQ(
        ::connect(client.Get(), reinterpret_cast<const sockaddr*>(&address), sizeof(sockaddr_in)),
        0);
    std::string found;
    EXPECT_FALSE(SocketOwner::ListenerIsOwnUsers(client.Get(), &found));
    EXPECT_EQ(found.substr(0, found.find(" (")), "uid 65534, LISTEN") << found;
    const SocketOwner::Answer listener = SocketOwner::OfListener(address);
    EXPECT_EQ(listener.uid, OtherUser::kUid);
    client.Close();
    EXPECT_EQ(foreign.Stop(), 0);
}

TEST(SocketOwner, NamesStatesAndOutcomes)
{
    EXPECT_EQ(SocketOwner::StateName(SocketOwner::kEstablished), "ESTABLISHED");
    EXPECT_EQ(SocketOwner::StateName(5), "FIN-WAIT-2");
    EXPECT_EQ(SocketOwner::StateName(SocketOwner::kListen), "LISTEN");
    EXPECT_EQ(SocketOwner::StateName(0), "state 0");
    EXPECT_EQ(SocketOwner::StateName(12), "state 12");
    SocketOwner::Answer answer;
    answer.source = "x";
    EXPECT_EQ(SocketOwner::Describe(answer), "owner unknown (x)");
    answer.outcome = SocketOwner::Outcome::kNotFound;
    EXPECT_EQ(SocketOwner::Describe(answer), "no such socket (x)");
}
