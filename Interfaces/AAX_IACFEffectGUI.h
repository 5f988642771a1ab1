#pragma once

#include "AAX.h"
#include "AAX_ThreadTags.h"
#include "AAX_UIDs.h"

class AAX_IString;

// The editor component as the host sees it. Implemented by the plug-in; the host creates it,
// holds it counted and calls it from its editor thread only.
class AAX_IACFEffectGUI : public IACFUnknown
{
public:
    // [editor-thread] Makes the controller and transport wrappers from host (borrowed, queried
    // during the call), takes one counted reference to the instance's effect parameters and
    // loads the editor's shared resources. 0; kResultNotInitialized for a null host;
    // kResultUnexpected out of memory.
    virtual AAX_Result Initialize(IACFUnknown* host) = 0;
    // [editor-thread] Gives up the wrappers and the reference; 0. Safe to call twice.
    virtual AAX_Result Uninitialize() = 0;
    // [editor-thread] data (borrowed, dataSize bytes) is read during the call only; ignored, 0.
    virtual AAX_Result NotificationReceived(AAX_CTypeID notificationType, const void* data,
                                            uint32 dataSize) = 0;
    // [editor-thread] container (borrowed, held counted while the window is open) opens the
    // view; null closes it. 0; kResultUnexpected out of memory. The validator's editor check
    // opens and closes it 48 times.
    virtual AAX_Result SetViewContainer(IACFUnknown* container) = 0;
    // [editor-thread] Writes the view's width and height into outSize (the caller's), left
    // alone without a view; 0.
    virtual AAX_Result GetViewSize(AAX_Point* outSize) const = 0;
    // [editor-thread] Draws the view's part inside drawRect (read during the call); 0.
    virtual AAX_Result Draw(AAX_Rect* drawRect) = 0;
    // [editor-thread] The host's periodic tick: refreshes the status line and services the
    // window; 0.
    virtual AAX_Result TimerWakeup() = 0;
    // [editor-thread] A parameter's value changed (identifier borrowed): its control follows;
    // 0.
    virtual AAX_Result ParameterUpdated(AAX_CParamID parameterID) = 0;
    // [editor-thread] No custom labels: outString (the caller's) untouched, kResultNullObject.
    virtual AAX_Result GetCustomLabel(AAX_EPlugInStrings selector,
                                      AAX_IString* outString) const = 0;
    // [editor-thread] Highlighting is not shown; 0.
    virtual AAX_Result SetControlHighlightInfo(AAX_CParamID parameterID, AAX_CBoolean isHighlighted,
                                               AAX_EHighlightColor color) = 0;

protected:
    ~AAX_IACFEffectGUI() = default;
};
