#pragma once

#include "AAX_IACFEffectGUI.h"
#include "CACFUnknown.h"

// The plug-in side of the editor component: the host-facing editor interface on a
// reference-counted component object. QueryInterface, AddRef and Release go to the
// component's controlling unknown, which answers through InternalQueryInterface.
class AAX_IEffectGUI : public AAX_IACFEffectGUI, public CACFUnknown
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
    // after the host-facing operations (the slot order hosts rely on); every editor
    // answers its own interface identifier.
    ACFRESULT InternalQueryInterface(const _acfUID& iid, void** outInterface) override = 0;
    ~AAX_IEffectGUI() override = default;
};
