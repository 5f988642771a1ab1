#pragma once

#include "AAX.h"
#include "AAX_UIDs.h"

class AAX_IString;

// The editor component as the host sees it. Implemented by the plug-in; the host creates it,
// holds it counted and calls it from its editor thread only.
class AAX_IACFEffectGUI : public IACFUnknown
{
public:
    // host: the host object the editor queries for its services (borrowed).
    virtual AAX_Result Initialize(IACFUnknown* host) = 0;
    virtual AAX_Result Uninitialize() = 0;
    virtual AAX_Result NotificationReceived(AAX_CTypeID notificationType, const void* data,
                                            uint32 dataSize) = 0;
    // container: the host's view container when the window opens, null when it closes.
    virtual AAX_Result SetViewContainer(IACFUnknown* container) = 0;
    virtual AAX_Result GetViewSize(AAX_Point* outSize) const = 0;
    virtual AAX_Result Draw(AAX_Rect* drawRect) = 0;
    virtual AAX_Result TimerWakeup() = 0;
    // The host tells the editor that a parameter's value changed.
    virtual AAX_Result ParameterUpdated(AAX_CParamID parameterID) = 0;
    virtual AAX_Result GetCustomLabel(AAX_EPlugInStrings selector,
                                      AAX_IString* outString) const = 0;
    virtual AAX_Result SetControlHighlightInfo(AAX_CParamID parameterID, AAX_CBoolean isHighlighted,
                                               AAX_EHighlightColor color) = 0;

protected:
    ~AAX_IACFEffectGUI() = default;
};
