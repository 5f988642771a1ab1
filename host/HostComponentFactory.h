#pragma once

#include <functional>
#include <mutex>
#include <vector>

#include "HostUnknown.h"
#include "IACFComponentFactory.h"

namespace orv::host
{

// The host's component factory: makes host objects by component identifier. What each
// identifier makes is registered by the host; every request is recorded.
class HostComponentFactory : public HostUnknown<IACFComponentFactory>
{
public:
    // Fills out with interface iid of a host object (new or shared, as the maker decides),
    // counted for the caller; returns a result code.
    using Maker = std::function<AAX_Result(const _acfUID& iid, void** out)>;

    struct Request
    {
        _acfUID compID;
        _acfUID iid;
        AAX_Result result;
    };

    // A later registration for the same identifier replaces the earlier one.
    void Register(const _acfUID& compID, Maker maker);
    void Unregister(const _acfUID& compID);

    // Unknown components give kResultNoInterface, an outer object kResultUnimplemented
    // (nothing is aggregated); out is null on every failure.
    AAX_Result CreateComponent(const _acfUID& compID, IACFUnknown* outer, const _acfUID& iid,
                               void** outInterface) override;

    std::vector<Request> Requests() const;

protected:
    void* Find(const _acfUID& iid) override;

private:
    struct Entry
    {
        _acfUID compID;
        Maker maker;
    };

    mutable std::mutex mMutex;
    std::vector<Entry> mEntries;
    std::vector<Request> mRequests;
};

} // namespace orv::host
