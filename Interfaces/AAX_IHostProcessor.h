#pragma once

#include "AAX_IACFHostProcessor.h"
#include "CACFUnknown.h"

// An offline processing component: the host-facing host-processor interface joined with the
// reference-counted component base. The three root operations go to the controlling
// unknown, which answers the component's interface queries through InternalQueryInterface.
class AAX_IHostProcessor : public AAX_IACFHostProcessor_V2, public CACFUnknown
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

    // [thread-safe] Declared here, ahead of the destructors, so that it keeps the slot right
    // after the host-facing operations (the slot order hosts rely on); every processor
    // answers its own interface identifiers.
    ACFRESULT InternalQueryInterface(const _acfUID& iid, void** outInterface) override = 0;
    ~AAX_IHostProcessor() override = default;
};
