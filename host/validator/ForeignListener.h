#pragma once

#include <cstdint>
#include <cstring>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include "OtherUser.h"

namespace orv::host::validator
{

// A listener of another user (nobody) on 127.0.0.1: it accepts every connection, counts the
// bytes it is sent and closes. Stop() ends it and returns how many bytes reached it, so a
// check can show that a client sent it nothing. Needs root (OtherUser::Available()).
class ForeignListener
{
public:
    // port 0 picks a free one; Port() tells which, 0 when the listener could not start.
    explicit ForeignListener(uint16_t port)
    {
        int portPipe[2], stopPipe[2], countPipe[2];
        if (::pipe(portPipe) != 0 || ::pipe(stopPipe) != 0 || ::pipe(countPipe) != 0) return;
        mPid = OtherUser::Start(
            [&]
            {
                // The parent's ends: held here, the stop pipe would never read as closed.
                ::close(portPipe[0]);
                ::close(stopPipe[1]);
                ::close(countPipe[0]);
                return Serve(port, portPipe[1], stopPipe[0], countPipe[1]);
            });
        ::close(portPipe[1]);
        ::close(stopPipe[0]);
        ::close(countPipe[1]);
        mStop = stopPipe[1];
        mCount = countPipe[0];
        uint16_t bound = 0;
        if (::read(portPipe[0], &bound, sizeof bound) == sizeof bound) mPort = bound;
        ::close(portPipe[0]);
    }
    ~ForeignListener() { Stop(); }
    ForeignListener(const ForeignListener&) = delete;
    ForeignListener& operator=(const ForeignListener&) = delete;

    uint16_t Port() const { return mPort; }

    // Bytes received over every connection; -1 when the listener failed.
    long long Stop()
    {
        if (mPid <= 0) return mReceived;
        ::close(mStop);
        long long received = -1;
        if (::read(mCount, &received, sizeof received) != sizeof received) received = -1;
        ::close(mCount);
        OtherUser::Wait(mPid);
        mPid = -1;
        mReceived = received;
        return received;
    }

private:
    static int Serve(uint16_t port, int portOut, int stopIn, int countOut)
    {
        const int listening = ::socket(AF_INET, SOCK_STREAM, 0);
        const int yes = 1;
        ::setsockopt(listening, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        address.sin_port = htons(port);
        socklen_t length = sizeof address;
        if (::bind(listening, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
            ::listen(listening, 16) != 0 ||
            ::getsockname(listening, reinterpret_cast<sockaddr*>(&address), &length) != 0)
            return 1;
        const uint16_t bound = ntohs(address.sin_port);
        if (::write(portOut, &bound, sizeof bound) != sizeof bound) return 1;
        long long received = 0;
        for (;;)
        {
            pollfd watch[2] = {{listening, POLLIN, 0}, {stopIn, POLLIN, 0}};
            if (::poll(watch, 2, -1) < 0) continue;
            if (watch[1].revents) break;
            const int client = ::accept(listening, nullptr, nullptr);
            if (client < 0) continue;
            // Whatever the client sends at once: a short wait is enough on loopback.
            char buffer[4096];
            pollfd readable{client, POLLIN, 0};
            while (::poll(&readable, 1, 200) > 0)
            {
                const ssize_t got = ::read(client, buffer, sizeof buffer);
                if (got <= 0) break;
                received += got;
            }
            ::close(client);
        }
        return ::write(countOut, &received, sizeof received) == sizeof received ? 0 : 1;
    }

    pid_t mPid = -1;
    int mStop = -1;
    int mCount = -1;
    uint16_t mPort = 0;
    long long mReceived = -1;
};

} // namespace orv::host::validator
