#pragma once

#include "AAX_CEffectGUI_VST.h"

class DemoGain_View;

// The plug-in's editor component. It loads the logo from the plug-in's bundle once per
// module, builds a DemoGain_View in the host's native view, hands the host's parameter changes
// to the view and forwards the host's timer to the view.
class DemoGain_GUI : public AAX_CEffectGUI_VST
{
public:
    // The bundle the logo is loaded from, and the logo's file in its resources.
    static constexpr const char* kBundleIdentifier = "com.Brenlow.Orvendal";
    static constexpr const char* kLogoResource = "Brenlow_Logo_grey183-white_W80.png";

    // A new editor, not yet initialised; the host owns it through its reference count.
    static AAX_IEffectGUI* Create();

    DemoGain_GUI() = default;
    ~DemoGain_GUI() override;

    AAX_Result TimerWakeup() override;
    AAX_Result ParameterUpdated(AAX_CParamID parameterID) override;
    AAX_Result SetControlHighlightInfo(AAX_CParamID parameterID, AAX_CBoolean isHighlighted,
                                       AAX_EHighlightColor color) override;

    // The view while the window is open, else null.
    DemoGain_View* GetView() const;

protected:
    void CreateViewContents() override;
    void CreateEffectView(void* nativeParent) override;
};
