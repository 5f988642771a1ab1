#pragma once

#include <cstddef>
#include <string>

#include "AAX.h"

// One exchange with the companion application on the loopback host: connect, send the
// request, read until the companion closes the connection, close our end. Blocks the
// calling thread for the whole exchange; there is no timeout. Nothing is sent unless the
// listener on the port belongs to this user.
class CompanionConnection
{
public:
    static constexpr const char* kLoopbackHostName = "localhost";
    static constexpr size_t kReadBufferSize = 1024;

    enum class Result
    {
        kOK,
        kSocketFailed,
        kResolveFailed,
        kConnectFailed,
        kSendFailed,
        kReceiveFailed,
        kForeignListener, // the listener on the port is not this user's: nothing was sent
    };

    struct Reply
    {
        // The first bytes of the answer, at most the limit given to Exchange.
        std::string text;
        // True once any byte arrived, kept or not.
        bool received = false;
    };

    // Sends request and waits for the companion to close. Keeps at most maxReplyBytes of
    // the answer in outReply when it is not null; the rest is read and dropped.
    static Result Exchange(const std::string& request, Reply* outReply, size_t maxReplyBytes);
};
