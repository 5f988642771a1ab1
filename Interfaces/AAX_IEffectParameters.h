#pragma once

#include "AAX_IACFEffectParameters.h"
#include "CACFUnknown.h"

// The plug-in side of the effect-parameters component: the host-facing interface (all three
// versions) on a reference-counted component object. QueryInterface, AddRef and Release go to
// the component's controlling unknown; the three interface versions are answered with the
// object itself.
class AAX_IEffectParameters : public AAX_IACFEffectParameters_V3, public CACFUnknown
{
public:
    ACFRESULT QueryInterface(const _acfUID& iid, void** outInterface) override
    {
        return GetOuterIUnknown()->QueryInterface(iid, outInterface);
    }
    acfUInt32 AddRef() override { return GetOuterIUnknown()->AddRef(); }
    acfUInt32 Release() override { return GetOuterIUnknown()->Release(); }

    ACFRESULT InternalQueryInterface(const _acfUID& iid, void** outInterface) override;

    ~AAX_IEffectParameters() override = default;
};
