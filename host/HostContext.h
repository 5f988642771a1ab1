#pragma once

#include <mutex>
#include <vector>

#include "ACFPtr.h"
#include "HostUnknown.h"

namespace orv::host
{

// The host object handed to the module and to each component's Initialize. It answers
// IID_IACFUnknown itself and every other query by asking the objects offered to it, in
// the order they were offered. Every query is recorded with its result.
class HostContext : public HostUnknown<IACFUnknown>
{
public:
    struct Query
    {
        _acfUID iid;
        AAX_Result result;
    };

    // The context holds one reference to provider until Withdraw or its own destruction.
    void Offer(IACFUnknown* provider);
    void Withdraw(IACFUnknown* provider);

    AAX_Result QueryInterface(const _acfUID& iid, void** outInterface) override;

    std::vector<Query> Queries() const;

protected:
    void* Find(const _acfUID& iid) override;

private:
    std::vector<ACFPtr<IACFUnknown>> Providers() const;

    mutable std::mutex mMutex;
    std::vector<ACFPtr<IACFUnknown>> mProviders;
    std::vector<Query> mQueries;
};

} // namespace orv::host
