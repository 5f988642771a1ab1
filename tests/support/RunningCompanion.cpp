#include "RunningCompanion.h"

#include <arpa/inet.h>
#include <csignal>
#include <netinet/in.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <thread>

namespace orv::test
{
namespace
{

constexpr uint16_t kPort = 51121;

bool PortAnswers()
{
    const int fd = socket(AF_INET, SOCK_STREAM, 0);
    if (fd < 0) return false;
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(kPort);
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    const bool connected =
        connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof(address)) == 0;
    close(fd);
    return connected;
}

} // namespace

RunningCompanion::RunningCompanion(const std::string& program)
{
    mPid = fork();
    if (mPid == 0)
    {
        execl(program.c_str(), program.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    if (mPid < 0) return;
    for (int attempt = 0; attempt < 500 && !mReady; ++attempt)
    {
        int status = 0;
        if (waitpid(mPid, &status, WNOHANG) == mPid)
        {
            mPid = -1;
            return;
        }
        mReady = PortAnswers();
        if (!mReady) std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
}

RunningCompanion::~RunningCompanion()
{
    if (mPid <= 0) return;
    kill(mPid, SIGTERM);
    int status = 0;
    waitpid(mPid, &status, 0);
}

} // namespace orv::test
