#pragma once

#include <map>
#include <memory>
#include <string>
#include <utility>

#include "AAX.h"
#include "AAX_CMutex.h"
#include "AAX_CPacket.h"
#include "AAX_IPacketHandler.h"

class AAX_IController;
class AAX_IEffectParameters;

// Turns parameter changes into packets for the host's processing context. Each identifier is
// bound to a numbered packet and a handler that fills it; SetDirty marks the packets of an
// identifier and Dispatch fills and posts every dirty packet through the controller.
// Registration, SetDirty and Dispatch run under one lock, so updates and dispatches may come
// from different threads; handlers run with the lock held and must not call back in.
class AAX_CPacketDispatcher
{
public:
    AAX_CPacketDispatcher() = default;
    ~AAX_CPacketDispatcher();

    AAX_CPacketDispatcher(const AAX_CPacketDispatcher&) = delete;
    AAX_CPacketDispatcher& operator=(const AAX_CPacketDispatcher&) = delete;

    // Both borrowed; they must outlive every later Dispatch.
    void Initialize(AAX_IController* controller, AAX_IEffectParameters* effectParameters);
    // Binds identifier to the packet of fieldIndex (made on first use) and a copy of handler.
    // A negative index binds no packet; such an entry is never posted.
    AAX_Result RegisterPacket(AAX_CParamID identifier, AAX_CFieldIndex fieldIndex,
                              const AAX_IPacketHandler* handler);
    // Marks the packets of every entry of identifier; unknown identifiers change nothing.
    AAX_Result SetDirty(AAX_CParamID identifier, bool dirty);
    // Fills and posts the dirty packets in identifier order; the result of the last post.
    AAX_Result Dispatch();
    // The standard fill: the parameter's value as a 32-bit bool, float or integer, or a double.
    AAX_Result GenerateSingleValuePacket(AAX_CParamID identifier, AAX_CPacket& packet);

private:
    typedef std::pair<AAX_CPacket*, std::unique_ptr<AAX_IPacketHandler>> Entry;

    std::map<int, std::unique_ptr<AAX_CPacket>> mPacketsData;
    std::multimap<std::string, Entry> mPacketsHandlers;
    AAX_IController* mController = nullptr;
    AAX_IEffectParameters* mEffectParameters = nullptr;
    AAX_CMutex mLockGuard;
};
