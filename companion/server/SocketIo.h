#pragma once

#include "UniqueFd.h"

#include <string>

namespace companion
{

// What the server does with a client socket besides reading its line. Sockets are
// non-blocking; answers are short enough to fit a fresh socket's send buffer at once.
class SocketIo
{
public:
    // "127.0.0.1:40312", or "?" when the peer is gone.
    static std::string peerName(int fd);
    // Sends the whole text without waiting; false when it could not.
    static bool send(int fd, const std::string& text);
    // Sends the answer (if any) and closes. Bytes the client sent unread are taken first, as
    // closing over them would reset the connection and lose the answer on the way.
    static void finish(UniqueFd fd, const std::string& answer);
};

} // namespace companion
