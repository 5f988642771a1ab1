#pragma once

#include "AAX_IACFHostProcessor.h"
#include "CACFUnknown.h"

// An offline processing component: the host-facing host-processor interface joined with the
// reference-counted component base. The three root operations go to the controlling
// unknown, which answers the component's interface queries through InternalQueryInterface.
class AAX_IHostProcessor : public AAX_IACFHostProcessor_V2, public CACFUnknown
{
public:
    ACFRESULT QueryInterface(const _acfUID& iid, void** outInterface) override
    {
        return GetOuterIUnknown()->QueryInterface(iid, outInterface);
    }
    acfUInt32 AddRef() override { return GetOuterIUnknown()->AddRef(); }
    acfUInt32 Release() override { return GetOuterIUnknown()->Release(); }
};
