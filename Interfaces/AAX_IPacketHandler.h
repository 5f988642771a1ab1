#pragma once

#include "AAX.h"
#include "AAX_ThreadTags.h"

class AAX_CPacket;

// Fills a packet for a parameter identifier.
class AAX_IPacketHandler
{
public:
    virtual ~AAX_IPacketHandler() = default;

    // [thread-safe] A new heap copy; the caller owns it and deletes it.
    virtual AAX_IPacketHandler* Clone() const = 0;
    // [thread-safe] Fills packet (the dispatcher's, written during the call) for identifier; 0
    // on success. Runs under the dispatcher's lock on the processing thread, so it must not
    // call back into the dispatcher (validator check: threads).
    virtual AAX_Result Call(AAX_CParamID identifier, AAX_CPacket& packet) const = 0;
};
