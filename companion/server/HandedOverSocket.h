#pragma once

#include "UniqueFd.h"

#include <string>

namespace companion
{

// The listening socket a service manager hands over when it starts the companion on the
// first connection (systemd's socket activation: descriptor 3, LISTEN_FDS, LISTEN_PID).
// Takes it at most once per process and clears those variables, so no child takes it too.
class HandedOverSocket
{
public:
    enum class Outcome
    {
        None,    // nothing was handed over: the companion binds its own socket
        Taken,   // fd is a non-blocking TCP socket listening on the loopback host
        Refused, // something was handed over that the companion must not serve; error says why
    };
    struct Result
    {
        Outcome outcome = Outcome::None;
        UniqueFd fd;
        std::string address; // "127.0.0.1:51121", "[::1]:51121" when taken
        std::string error;
    };

    static Result take();
};

} // namespace companion
