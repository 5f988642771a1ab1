#include "AAX_CPacketDispatcher.h"

#include "AAX_CPacket.h"
#include "AAX_Errors.h"
#include "AAX_IController.h"
#include "AAX_IEffectParameters.h"
#include "AAX_IPacketHandler.h"
#include "AAX_IParameter.h"

namespace
{
// Every posted payload has this size; shorter values are padded with zeros.
constexpr uint32 kPostedPacketSize = 8;

// Holds the dispatcher's lock for a scope, releasing it only if taking it succeeded.
class ScopedLock
{
public:
    explicit ScopedLock(AAX_CMutex& mutex) : mMutex(mutex), mLocked(mutex.Lock()) {}
    ~ScopedLock()
    {
        if (mLocked) mMutex.Unlock();
    }
    ScopedLock(const ScopedLock&) = delete;
    ScopedLock& operator=(const ScopedLock&) = delete;

private:
    AAX_CMutex& mMutex;
    const bool mLocked;
};
} // namespace

AAX_CPacketDispatcher::~AAX_CPacketDispatcher()
{
    ScopedLock lock(mLockGuard);
    mPacketsData.clear();
    mPacketsHandlers.clear();
}

void AAX_CPacketDispatcher::Initialize(AAX_IController* controller,
                                       AAX_IEffectParameters* effectParameters)
{
    mController = controller;
    mEffectParameters = effectParameters;
}

AAX_Result AAX_CPacketDispatcher::RegisterPacket(AAX_CParamID identifier,
                                                 AAX_CFieldIndex fieldIndex,
                                                 const AAX_IPacketHandler* handler)
{
    ScopedLock lock(mLockGuard);
    AAX_CPacket* packet = nullptr;
    if (fieldIndex >= 0)
    {
        auto& slot = mPacketsData[fieldIndex];
        if (!slot) slot = std::make_unique<AAX_CPacket>(fieldIndex);
        packet = slot.get();
    }
    std::unique_ptr<AAX_IPacketHandler> clone(handler ? handler->Clone() : nullptr);
    mPacketsHandlers.emplace(identifier ? identifier : "", Entry(packet, std::move(clone)));
    return kResultSuccess;
}

AAX_Result AAX_CPacketDispatcher::SetDirty(AAX_CParamID identifier, bool dirty)
{
    if (!identifier) return kResultSuccess;
    ScopedLock lock(mLockGuard);
    auto range = mPacketsHandlers.equal_range(identifier);
    for (auto entry = range.first; entry != range.second; ++entry)
        if (entry->second.first) entry->second.first->SetDirty(dirty);
    return kResultSuccess;
}

AAX_Result AAX_CPacketDispatcher::Dispatch()
{
    ScopedLock lock(mLockGuard);
    AAX_Result result = kResultSuccess;
    for (auto& [identifier, entry] : mPacketsHandlers)
    {
        AAX_CPacket* packet = entry.first;
        if (!packet || !packet->IsDirty()) continue;
        const AAX_Result filled =
            entry.second ? entry.second->Call(identifier.c_str(), *packet) : kResultNullObject;
        if (filled == kResultSuccess)
        {
            const void* payload = packet->Resize(kPostedPacketSize);
            result = mController
                         ? mController->PostPacket(packet->GetID(), payload, kPostedPacketSize)
                         : kResultNullObject;
        }
        packet->SetDirty(false);
    }
    return result;
}

AAX_Result AAX_CPacketDispatcher::GenerateSingleValuePacket(AAX_CParamID identifier,
                                                            AAX_CPacket& packet)
{
    if (!mEffectParameters) return kResultNullObject;
    AAX_IParameter* parameter = nullptr;
    if (mEffectParameters->GetParameter(identifier, &parameter) != kResultSuccess || !parameter)
        return kResultNullObject;

    bool boolValue = false;
    float floatValue = 0.0f;
    int32 intValue = 0;
    double doubleValue = 0.0;
    if (parameter->GetValueAsBool(&boolValue))
        packet.SetValue<uint32>(boolValue ? 1u : 0u);
    else if (parameter->GetValueAsFloat(&floatValue))
        packet.SetValue<float>(floatValue);
    else if (parameter->GetValueAsInt32(&intValue))
        packet.SetValue<int32>(intValue);
    else if (parameter->GetValueAsDouble(&doubleValue))
        packet.SetValue<double>(doubleValue);
    else
        return kResultNullObject;
    return kResultSuccess;
}
