#include "AAX_IEffectParameters.h"

#include "AAX_Errors.h"

ACFRESULT AAX_IEffectParameters::InternalQueryInterface(const _acfUID& iid, void** outInterface)
{
    if (!outInterface) return kResultNullArgument;
    if (iid == IID_IAAXEffectParametersV1 || iid == IID_IAAXEffectParametersV2 ||
        iid == IID_IAAXEffectParametersV3)
    {
        // One address for every version: each extends the one before.
        auto* self = static_cast<AAX_IACFEffectParameters_V3*>(this);
        *outInterface = self;
        self->AddRef();
        return kResultSuccess;
    }
    return CACFUnknown::InternalQueryInterface(iid, outInterface);
}
