// orvendal-qv started as systemd's socket activation starts it: the listening socket on
// descriptor 3, LISTEN_FDS=1 and LISTEN_PID naming the companion's own process.
#include "LoopbackClient.h"
#include "ParametersAnswer.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

#include <csignal>
#include <optional>
#include <regex>
#include <thread>

#include <fcntl.h>
#include <sys/wait.h>

namespace companion::test
{
namespace
{

struct Handover
{
    int descriptor = -1;            // becomes descriptor 3 of the companion
    std::string listenFds = "1";    // LISTEN_FDS
    std::optional<pid_t> listenPid; // LISTEN_PID; the companion's own when empty
};

Handover given(int descriptor, const char* listenFds = "1")
{
    Handover handover;
    handover.descriptor = descriptor;
    handover.listenFds = listenFds;
    return handover;
}

// A TCP socket on the given address, listening unless told not to; -1 on failure.
int tcpSocket(uint32_t address, bool listening = true, int type = SOCK_STREAM)
{
    const int fd = ::socket(AF_INET, type | SOCK_CLOEXEC, 0);
    sockaddr_in where{};
    where.sin_family = AF_INET;
    where.sin_addr.s_addr = htonl(address);
    if (::bind(fd, reinterpret_cast<sockaddr*>(&where), sizeof where) != 0 ||
        (listening && ::listen(fd, 16) != 0))
    {
        ::close(fd);
        return -1;
    }
    return fd;
}

uint16_t portOf(int fd)
{
    sockaddr_in where{};
    socklen_t length = sizeof where;
    ::getsockname(fd, reinterpret_cast<sockaddr*>(&where), &length);
    return ntohs(where.sin_port);
}

// The companion as a child with what systemd would hand it; --port 0, so that a companion
// that ignores the handover binds a free port, never the plug-in's.
class HandedOverCompanion
{
public:
    HandedOverCompanion(const Handover& handover, const std::filesystem::path& log) : log_(log)
    {
        pid_ = ::fork();
        if (pid_ != 0) return;
        const int out = ::open(log.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        ::dup2(out, STDERR_FILENO);
        if (handover.descriptor == 3)
            ::fcntl(3, F_SETFD, 0);
        else if (handover.descriptor >= 0)
            ::dup2(handover.descriptor, 3);
        else
            ::close(3); // whatever the test runner left there
        const pid_t named = handover.listenPid.value_or(::getpid());
        ::setenv("LISTEN_FDS", handover.listenFds.c_str(), 1);
        ::setenv("LISTEN_PID", std::to_string(named).c_str(), 1);
        ::execl(ORV_COMPANION_EXE, ORV_COMPANION_EXE, "--port", "0", static_cast<char*>(nullptr));
        ::_exit(127);
    }
    ~HandedOverCompanion()
    {
        if (pid_ <= 0) return;
        ::kill(pid_, SIGKILL);
        ::waitpid(pid_, nullptr, 0);
    }

    // The address and port of the "listening on" line, or the exit status once it ended;
    // bounded, so a companion that does neither fails the test instead of hanging it.
    std::string listeningLine()
    {
        for (int i = 0; i < 500; ++i)
        {
            std::smatch found;
            const std::string text = log();
            if (std::regex_search(text, found, std::regex("listening on [^\n]*\n")))
                return found.str();
            if (exited()) return {};
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        return {};
    }
    bool exited()
    {
        if (pid_ <= 0) return true;
        if (::waitpid(pid_, &status_, WNOHANG) != pid_) return false;
        pid_ = -1;
        return true;
    }
    int exitCode() const { return WIFEXITED(status_) ? WEXITSTATUS(status_) : -1; }
    void stop()
    {
        ::kill(pid_, SIGTERM);
        ::waitpid(pid_, &status_, 0);
        pid_ = -1;
    }
    std::string log() const
    {
        std::ifstream in(log_);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }

private:
    std::filesystem::path log_;
    pid_t pid_ = -1;
    int status_ = 0;
};

TEST(HandedOverSocket, ServesTheSocketSystemdHandsOverAndStopsOnItsSignal)
{
    TempFolder folder;
    const int listening = tcpSocket(INADDR_LOOPBACK);
    ASSERT_GE(listening, 0);
    const uint16_t port = portOf(listening);

    HandedOverCompanion companion(given(listening), folder.path() / "log");
    // The parent lets go of its copy: only the companion serves the socket now.
    ::close(listening);
    EXPECT_EQ(companion.listeningLine(),
              "listening on 127.0.0.1:" + std::to_string(port) + " (socket handed over)\n")
        << companion.log();
    EXPECT_EQ(exchange(port, kParametersRequest), ParametersAnswer::build()) << companion.log();
    EXPECT_EQ(exchange(port, kParametersRequest), ParametersAnswer::build()) << companion.log();

    companion.stop();
    EXPECT_EQ(companion.exitCode(), 0) << companion.log();
}

TEST(HandedOverSocket, BindsItsOwnWhenTheSocketIsMeantForAnotherProcess)
{
    TempFolder folder;
    const int listening = tcpSocket(INADDR_LOOPBACK);
    ASSERT_GE(listening, 0);
    Handover handover = given(listening);
    handover.listenPid = ::getpid();

    HandedOverCompanion companion(handover, folder.path() / "log");
    const std::string line = companion.listeningLine();
    std::smatch port;
    ASSERT_TRUE(std::regex_match(line, port, std::regex("listening on 127\\.0\\.0\\.1:(\\d+)\n")))
        << companion.log();
    EXPECT_NE(std::stoi(port[1]), portOf(listening));
    EXPECT_EQ(exchange(static_cast<uint16_t>(std::stoi(port[1])), kParametersRequest),
              ParametersAnswer::build());
    ::close(listening);
}

TEST(HandedOverSocket, RefusesWhatIsNoSingleListeningLoopbackSocket)
{
    TempFolder folder;
    const int file = ::open((folder.path() / "plain").c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    const int everywhere = tcpSocket(INADDR_ANY);
    const int bound = tcpSocket(INADDR_LOOPBACK, false);
    const int datagram = tcpSocket(INADDR_LOOPBACK, false, SOCK_DGRAM);
    const int listening = tcpSocket(INADDR_LOOPBACK);
    ASSERT_TRUE(file >= 0 && everywhere >= 0 && bound >= 0 && datagram >= 0 && listening >= 0);

    const struct
    {
        const char* what;
        Handover handover;
        const char* reason;
    } cases[] = {
        {"a plain file", given(file), "no listening TCP socket"},
        {"a socket on every address", given(everywhere), "loopback host only"},
        {"a socket that does not listen", given(bound), "no listening TCP socket"},
        {"a datagram socket", given(datagram), "no listening TCP socket"},
        {"two descriptors", given(listening, "2"), "LISTEN_FDS"},
        {"a count that is no number", given(listening, "1x"), "LISTEN_FDS"},
        {"a count beyond any descriptor", given(listening, "99999999999999999999"), "LISTEN_FDS"},
        {"a negative count", given(listening, "-1"), "LISTEN_FDS"},
        {"nothing at descriptor 3", given(-1), "LISTEN_FDS"},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.what);
        HandedOverCompanion companion(c.handover, folder.path() / "log");
        EXPECT_EQ(companion.listeningLine(), "") << companion.log();
        EXPECT_EQ(companion.exitCode(), 1) << companion.log();
        EXPECT_NE(companion.log().find("the socket handed over cannot be served"),
                  std::string::npos)
            << companion.log();
        EXPECT_NE(companion.log().find(c.reason), std::string::npos) << companion.log();
    }
    for (int fd : {file, everywhere, bound, datagram, listening})
        ::close(fd);
}

} // namespace
} // namespace companion::test
