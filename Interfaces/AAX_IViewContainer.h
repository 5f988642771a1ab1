#pragma once

#include "AAX.h"

// The editor's view of the host's view container: the native view, the host's modifier keys
// and the parameter mouse events the host may take over. Not reference counted: the editor
// that makes it owns it.
class AAX_IViewContainer
{
public:
    virtual ~AAX_IViewContainer() = default;

    // An AAX_EViewContainer_Type value.
    virtual int32 GetType() = 0;
    // The native view, owned by the host.
    virtual void* GetPtr() = 0;
    virtual AAX_Result GetModifiers(uint32* outModifiers) = 0;
    virtual AAX_Result SetViewSize(AAX_Point& size) = 0;
    // 0 (kResultSuccess) when the host took the event: the editor must then not handle it.
    virtual AAX_Result HandleParameterMouseDown(AAX_CParamID parameterID, uint32 modifiers) = 0;
    virtual AAX_Result HandleParameterMouseDrag(AAX_CParamID parameterID, uint32 modifiers) = 0;
    virtual AAX_Result HandleParameterMouseUp(AAX_CParamID parameterID, uint32 modifiers) = 0;
    virtual AAX_Result HandleMultipleParametersMouseDown(const AAX_CParamID* parameterIDs,
                                                         uint32 numParameters,
                                                         uint32 modifiers) = 0;
    virtual AAX_Result HandleMultipleParametersMouseDrag(const AAX_CParamID* parameterIDs,
                                                         uint32 numParameters,
                                                         uint32 modifiers) = 0;
    virtual AAX_Result HandleMultipleParametersMouseUp(const AAX_CParamID* parameterIDs,
                                                       uint32 numParameters, uint32 modifiers) = 0;
};

// Host modifier mask bits, as the host reports them and expects them back.
enum AAX_EModifiers : uint32
{
    AAX_eModifiers_None = 0,
    AAX_eModifiers_Shift = 1 << 0,
    AAX_eModifiers_Control = 1 << 1,
    AAX_eModifiers_Option = 1 << 2,
    AAX_eModifiers_Command = 1 << 3,
    AAX_eModifiers_SecondaryButton = 1 << 4,
};
