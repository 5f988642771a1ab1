#pragma once

#include <cstddef>
#include <string>

#include "AAX.h"

class CompanionAnswerReader;

// One exchange with the companion application on the loopback host: connect, send the
// request, read until the companion closes the connection, close our end. Blocks the
// calling thread (no thread of its own: every wait is a poll with what is left of the
// limits): for the whole exchange when it has no deadline, and, once a progress line has
// arrived, only as long as the companion is not silent for the silence limit. Nothing is
// sent unless the listener on the port belongs to this user.
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
        kTimedOut, // the deadline of the whole exchange passed
        kSilent,   // the companion sent progress, then nothing for the silence limit
        kForeignListener, // the listener on the port is not this user's: nothing was sent
    };

    struct Reply
    {
        // The first bytes of the answer, at most maxReplyBytes.
        std::string text;
        // True once any byte arrived, kept or not.
        bool received = false;
    };

    struct Limits
    {
        size_t maxReplyBytes = 0; // of the answer kept in Reply::text
        int deadlineMs = -1;      // the whole exchange, connect included; -1: none
        int silenceMs = -1;       // after a progress line; -1: none
    };

    // Sends request and waits for the companion to close. The answer goes to outReply when
    // it is not null, else to outLines (which sees progress lines) when that is not null;
    // what neither keeps is read and dropped.
    static Result Exchange(const std::string& request, Reply* outReply, const Limits& limits,
                           CompanionAnswerReader* outLines = nullptr);
};
