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
    // [thread-safe] The three root operations go to the controlling unknown: a counted
    // interface or an error with a null out pointer; the new or remaining count.
    ACFRESULT QueryInterface(const _acfUID& iid, void** outInterface) override
    {
        return GetOuterIUnknown()->QueryInterface(iid, outInterface);
    }
    acfUInt32 AddRef() override { return GetOuterIUnknown()->AddRef(); }
    acfUInt32 Release() override { return GetOuterIUnknown()->Release(); }

    // [thread-safe] Answers the three interface versions with this object (counted), anything
    // else through the component base. Kept ahead of the destructors: the slot order hosts
    // rely on.
    ACFRESULT InternalQueryInterface(const _acfUID& iid, void** outInterface) override;

    ~AAX_IEffectParameters() override = default;
};
