#pragma once

#include "AAX_IACFEffectGUI.h"
#include "CACFUnknown.h"

// The plug-in side of the editor component: the host-facing editor interface on a
// reference-counted component object. QueryInterface, AddRef and Release go to the
// component's controlling unknown, which answers through InternalQueryInterface.
class AAX_IEffectGUI : public AAX_IACFEffectGUI, public CACFUnknown
{
public:
    ACFRESULT QueryInterface(const _acfUID& iid, void** outInterface) override
    {
        return GetOuterIUnknown()->QueryInterface(iid, outInterface);
    }
    acfUInt32 AddRef() override { return GetOuterIUnknown()->AddRef(); }
    acfUInt32 Release() override { return GetOuterIUnknown()->Release(); }
};
