#pragma once

#include "AAX_IACFEffectGUI.h"
#include "AAX_IComponent.h"

// The plug-in side of the editor component: the host-facing editor interface on a
// reference-counted component object; every editor answers its own interface identifier.
class AAX_IEffectGUI : public AAX_IComponent<AAX_IACFEffectGUI>
{
public:
    ~AAX_IEffectGUI() override = default;
};
