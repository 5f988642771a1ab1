#pragma once

#include "AAX.h"
#include "AAX_ThreadTags.h"
#include "AAX_UIDs.h"

// The host's view container, version 1: the native view the editor draws into, the current
// modifier keys, and the parameter mouse events the host may take over. Handed to the
// editor by SetViewContainer and queried there; held counted while the window is open.
class AAX_IACFViewContainer : public IACFUnknown
{
public:
    // [editor-thread] The native view's type (AAX_eViewContainer_Type_...).
    virtual int32 GetType() = 0;
    // [editor-thread] The native view, owned by the host and valid until
    // SetViewContainer(null).
    virtual void* GetPtr() = 0;
    // [editor-thread] Writes the host modifier mask now held; a result code.
    virtual AAX_Result GetModifiers(uint32* outModifiers) = 0;
    // [editor-thread] Asks the host to resize the window to size (read during the call).
    virtual AAX_Result SetViewSize(AAX_Point& size) = 0;
    // [editor-thread] Offers the host a click on the parameter's control: 0 when the host took
    // it over, else the plug-in handles the click itself.
    virtual AAX_Result HandleParameterMouseDown(AAX_CParamID parameterID, uint32 modifiers) = 0;
    // [editor-thread] As HandleParameterMouseDown, for a drag.
    virtual AAX_Result HandleParameterMouseDrag(AAX_CParamID parameterID, uint32 modifiers) = 0;
    // [editor-thread] As HandleParameterMouseDown, for the release.
    virtual AAX_Result HandleParameterMouseUp(AAX_CParamID parameterID, uint32 modifiers) = 0;

protected:
    ~AAX_IACFViewContainer() = default;
};

// Version 2 adds mouse events for several parameters at once.
class AAX_IACFViewContainer_V2 : public AAX_IACFViewContainer
{
public:
    // [editor-thread] As HandleParameterMouseDown, for numOfParameters identifiers (the
    // caller's array, read during the call).
    virtual AAX_Result HandleMultipleParametersMouseDown(const AAX_CParamID* parameterIDs,
                                                         uint32 numParameters,
                                                         uint32 modifiers) = 0;
    // [editor-thread] As HandleMultipleParametersMouseDown, for a drag.
    virtual AAX_Result HandleMultipleParametersMouseDrag(const AAX_CParamID* parameterIDs,
                                                         uint32 numParameters,
                                                         uint32 modifiers) = 0;
    // [editor-thread] As HandleMultipleParametersMouseDown, for the release.
    virtual AAX_Result HandleMultipleParametersMouseUp(const AAX_CParamID* parameterIDs,
                                                       uint32 numParameters, uint32 modifiers) = 0;

protected:
    ~AAX_IACFViewContainer_V2() = default;
};
