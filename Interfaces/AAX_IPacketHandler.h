#pragma once

#include "AAX.h"

class AAX_CPacket;

// Fills a packet for a parameter identifier.
class AAX_IPacketHandler
{
public:
    virtual ~AAX_IPacketHandler() = default;

    // A new heap copy; the caller owns it.
    virtual AAX_IPacketHandler* Clone() const = 0;
    // Fills packet for identifier; 0 on success.
    virtual AAX_Result Call(AAX_CParamID identifier, AAX_CPacket& packet) const = 0;
};
