#include "CompanionPort.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace orv::host::validator
{

bool CompanionPortAnswers()
{
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    if (fd < 0) return false;
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(kCompanionPort);
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    const bool connected =
        ::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof(address)) == 0;
    ::close(fd);
    return connected;
}

std::string CompanionPortTakenMessage()
{
    return "port " + std::to_string(kCompanionPort) +
           " is taken (a companion still running?): stop what listens there and run again";
}

std::string CompanionPortLostMessage()
{
    return "cannot listen on port " + std::to_string(kCompanionPort) +
           " for the companion: it was taken meanwhile";
}

} // namespace orv::host::validator
