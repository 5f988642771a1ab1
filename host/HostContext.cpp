#include "HostContext.h"

#include <algorithm>
#include <iterator>

namespace orv::host
{

void HostContext::Offer(IACFUnknown* provider)
{
    if (!provider) return;
    std::lock_guard<std::mutex> lock(mMutex);
    mProviders.emplace_back(provider);
}

void HostContext::Withdraw(IACFUnknown* provider)
{
    std::vector<ACFPtr<IACFUnknown>> removed;
    {
        std::lock_guard<std::mutex> lock(mMutex);
        auto split = std::stable_partition(mProviders.begin(), mProviders.end(),
                                           [provider](const ACFPtr<IACFUnknown>& held)
                                           { return held.get() != provider; });
        std::move(split, mProviders.end(), std::back_inserter(removed));
        mProviders.erase(split, mProviders.end());
    }
    // Released outside the lock: a provider's destruction may call back into the host.
}

AAX_Result HostContext::QueryInterface(const _acfUID& iid, void** outInterface)
{
    AAX_Result result = HostUnknown<IACFUnknown>::QueryInterface(iid, outInterface);
    if (result == kResultNoInterface)
    {
        for (const auto& provider : Providers())
        {
            if (provider.get()->QueryInterface(iid, outInterface) == kResultSuccess &&
                *outInterface)
            {
                result = kResultSuccess;
                break;
            }
        }
    }
    std::lock_guard<std::mutex> lock(mMutex);
    mQueries.push_back({iid, result});
    return result;
}

std::vector<HostContext::Query> HostContext::Queries() const
{
    std::lock_guard<std::mutex> lock(mMutex);
    return mQueries;
}

void* HostContext::Find(const _acfUID& iid)
{
    return iid == IID_IACFUnknown ? AsUnknown() : nullptr;
}

std::vector<ACFPtr<IACFUnknown>> HostContext::Providers() const
{
    std::lock_guard<std::mutex> lock(mMutex);
    return mProviders;
}

} // namespace orv::host
