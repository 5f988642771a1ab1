#pragma once

#include "AAX_Errors.h"
#include "AAX_IPacketHandler.h"

// A packet handler that calls a member function of a target object: the one taking the
// identifier and the packet if set, else the one taking the packet only. The target is
// borrowed and must outlive the handler.
template <class TWorker> class AAX_CPacketHandler : public AAX_IPacketHandler
{
public:
    typedef AAX_Result (TWorker::*PacketProc)(AAX_CPacket&);
    typedef AAX_Result (TWorker::*IdentifiedPacketProc)(AAX_CParamID, AAX_CPacket&);

    AAX_CPacketHandler(TWorker* worker, PacketProc proc) : mWorker(worker), mProc(proc) {}
    AAX_CPacketHandler(TWorker* worker, IdentifiedPacketProc proc)
        : mWorker(worker), mIdentifiedProc(proc)
    {
    }

    AAX_CPacketHandler* Clone() const override { return new AAX_CPacketHandler(*this); }

    AAX_Result Call(AAX_CParamID identifier, AAX_CPacket& packet) const override
    {
        if (mWorker && mIdentifiedProc) return (mWorker->*mIdentifiedProc)(identifier, packet);
        if (mWorker && mProc) return (mWorker->*mProc)(packet);
        return kResultNullObject;
    }

private:
    TWorker* mWorker = nullptr;
    PacketProc mProc = nullptr;
    IdentifiedPacketProc mIdentifiedProc = nullptr;
};
