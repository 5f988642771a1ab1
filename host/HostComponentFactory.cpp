#include "HostComponentFactory.h"

#include <algorithm>

namespace orv::host
{

void HostComponentFactory::Register(const _acfUID& compID, Maker maker)
{
    std::lock_guard<std::mutex> lock(mMutex);
    for (auto& entry : mEntries)
    {
        if (entry.compID == compID)
        {
            entry.maker = std::move(maker);
            return;
        }
    }
    mEntries.push_back({compID, std::move(maker)});
}

void HostComponentFactory::Unregister(const _acfUID& compID)
{
    std::lock_guard<std::mutex> lock(mMutex);
    mEntries.erase(std::remove_if(mEntries.begin(), mEntries.end(),
                                  [&](const Entry& entry) { return entry.compID == compID; }),
                   mEntries.end());
}

AAX_Result HostComponentFactory::CreateComponent(const _acfUID& compID, IACFUnknown* outer,
                                                 const _acfUID& iid, void** outInterface)
{
    if (!outInterface) return kResultNullArgument;
    *outInterface = nullptr;

    Maker maker;
    {
        std::lock_guard<std::mutex> lock(mMutex);
        for (const auto& entry : mEntries)
            if (entry.compID == compID) maker = entry.maker;
    }
    AAX_Result result = kResultNoInterface;
    if (outer)
        result = kResultUnimplemented;
    else if (maker)
        result = maker(iid, outInterface);
    if (result != kResultSuccess && *outInterface)
    {
        // A maker that reports failure must not leak what it filled in.
        static_cast<IACFUnknown*>(*outInterface)->Release();
        *outInterface = nullptr;
    }

    std::lock_guard<std::mutex> lock(mMutex);
    mRequests.push_back({compID, iid, result});
    return result;
}

std::vector<HostComponentFactory::Request> HostComponentFactory::Requests() const
{
    std::lock_guard<std::mutex> lock(mMutex);
    return mRequests;
}

void* HostComponentFactory::Find(const _acfUID& iid)
{
    if (iid == IID_IACFUnknown) return AsUnknown();
    if (iid == IID_IACFComponentFactory) return static_cast<IACFComponentFactory*>(this);
    return nullptr;
}

} // namespace orv::host
