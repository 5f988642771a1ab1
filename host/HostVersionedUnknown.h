#pragma once

#include "HostUnknown.h"

namespace orv::host
{

// A host object that answers version 1 of its interface and, unless limited to version 1 as
// an older host would be, version 2 (V2 derives from V1). kV1 and kV2 are the identifiers.
template <class V1, class V2, const _acfUID& kV1, const _acfUID& kV2>
class HostVersionedUnknown : public HostUnknown<V2>
{
protected:
    explicit HostVersionedUnknown(bool offerVersion2) : mOfferVersion2(offerVersion2) {}

    void* Find(const _acfUID& iid) override
    {
        if (iid == IID_IACFUnknown) return this->AsUnknown();
        if (iid == kV1) return static_cast<V1*>(this);
        if (iid == kV2 && mOfferVersion2) return static_cast<V2*>(this);
        return nullptr;
    }

private:
    const bool mOfferVersion2;
};

} // namespace orv::host
