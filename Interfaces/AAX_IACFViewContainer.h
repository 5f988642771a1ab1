#pragma once

#include "AAX.h"
#include "AAX_UIDs.h"

// The host's view container, version 1: the native view the editor draws into, the current
// modifier keys, and the parameter mouse events the host may take over. Handed to the
// editor by SetViewContainer and queried there; held counted while the window is open.
class AAX_IACFViewContainer : public IACFUnknown
{
public:
    // An AAX_EViewContainer_Type value.
    virtual int32 GetType() = 0;
    // The native view; owned by the host.
    virtual void* GetPtr() = 0;
    virtual AAX_Result GetModifiers(uint32* outModifiers) = 0;
    virtual AAX_Result SetViewSize(AAX_Point& size) = 0;
    // 0 (kResultSuccess) when the host handled the event, so the editor must not.
    virtual AAX_Result HandleParameterMouseDown(AAX_CParamID parameterID, uint32 modifiers) = 0;
    virtual AAX_Result HandleParameterMouseDrag(AAX_CParamID parameterID, uint32 modifiers) = 0;
    virtual AAX_Result HandleParameterMouseUp(AAX_CParamID parameterID, uint32 modifiers) = 0;

protected:
    ~AAX_IACFViewContainer() = default;
};

// Version 2 adds mouse events for several parameters at once.
class AAX_IACFViewContainer_V2 : public AAX_IACFViewContainer
{
public:
    virtual AAX_Result HandleMultipleParametersMouseDown(const AAX_CParamID* parameterIDs,
                                                         uint32 numParameters,
                                                         uint32 modifiers) = 0;
    virtual AAX_Result HandleMultipleParametersMouseDrag(const AAX_CParamID* parameterIDs,
                                                         uint32 numParameters,
                                                         uint32 modifiers) = 0;
    virtual AAX_Result HandleMultipleParametersMouseUp(const AAX_CParamID* parameterIDs,
                                                       uint32 numParameters, uint32 modifiers) = 0;

protected:
    ~AAX_IACFViewContainer_V2() = default;
};
