#pragma once

#include "CACFUnknown.h"

// A plug-in component: a host-facing interface joined with the reference-counted component
// base. QueryInterface, AddRef and Release go to the component's controlling unknown, which
// answers the component's interface queries through InternalQueryInterface.
template <typename HostInterface> class AAX_IComponent : public HostInterface, public CACFUnknown
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
    // after the host-facing operations (the slot order hosts rely on); every component
    // answers its own interface identifiers.
    ACFRESULT InternalQueryInterface(const _acfUID& iid, void** outInterface) override = 0;
    ~AAX_IComponent() override = default;
};
