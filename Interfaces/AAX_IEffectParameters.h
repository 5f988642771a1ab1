#pragma once

#include "AAX_IACFEffectParameters.h"
#include "AAX_IComponent.h"

// The plug-in side of the effect-parameters component: the host-facing interface (all three
// versions) on a reference-counted component object; the three interface versions are
// answered with the object itself.
class AAX_IEffectParameters : public AAX_IComponent<AAX_IACFEffectParameters_V3>
{
public:
    // [thread-safe] Answers the three interface versions with this object (counted), anything
    // else through the component base. Its slot is the one AAX_IComponent keeps for it.
    ACFRESULT InternalQueryInterface(const _acfUID& iid, void** outInterface) override;

    ~AAX_IEffectParameters() override = default;
};
