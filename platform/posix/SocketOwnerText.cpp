#include "SocketOwner.h"

namespace orv::platform
{

std::string SocketOwner::StateName(int state)
{
    // The kernel's numbering of TCP states, from 1.
    static const char* const kNames[] = {"ESTABLISHED", "SYN-SENT",  "SYN-RECV", "FIN-WAIT-1",
                                         "FIN-WAIT-2",  "TIME-WAIT", "CLOSE",    "CLOSE-WAIT",
                                         "LAST-ACK",    "LISTEN",    "CLOSING"};
    if (state >= 1 && state <= static_cast<int>(sizeof kNames / sizeof *kNames))
        return kNames[state - 1];
    return "state " + std::to_string(state);
}

std::string SocketOwner::Describe(const Answer& answer)
{
    const std::string source = std::string(" (") + answer.source + ")";
    switch (answer.outcome)
    {
    case Outcome::kFound:
        return "uid " + std::to_string(answer.uid) + ", " + StateName(answer.state) + source;
    case Outcome::kNotFound:
        return "no such socket" + source;
    case Outcome::kUnknown:
        break;
    }
    return "owner unknown" + source;
}

} // namespace orv::platform
