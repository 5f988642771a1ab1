#pragma once

#include "AAX.h"
#include "AAX_ThreadTags.h"

// The editor's view of the host's view container: the native view, the host's modifier keys
// and the parameter mouse events the host may take over. Not reference counted: the editor
// that makes it owns it.
class AAX_IViewContainer
{
public:
    virtual ~AAX_IViewContainer() = default;

    // [editor-thread] The native view's type (AAX_eViewContainer_Type_...);
    // AAX_eViewContainer_Type_NULL without the host interface.
    virtual int32 GetType() = 0;
    // [editor-thread] The native view, owned by the host and valid until the window closes;
    // null without the host interface.
    virtual void* GetPtr() = 0;
    // [editor-thread] Writes the host modifier mask now held; a result code. kResultNullObject
    // without the host interface.
    virtual AAX_Result GetModifiers(uint32* outModifiers) = 0;
    // [editor-thread] Asks the host to resize the window to size (read during the call).
    // kResultNullObject without the host interface.
    virtual AAX_Result SetViewSize(AAX_Point& size) = 0;
    // [editor-thread] Offers the host a click on the parameter's control: 0 when the host took
    // it over, else the plug-in handles the click itself. kResultNullObject without the host
    // interface.
    virtual AAX_Result HandleParameterMouseDown(AAX_CParamID parameterID, uint32 modifiers) = 0;
    // [editor-thread] As HandleParameterMouseDown, for a drag. kResultNullObject without the
    // host interface.
    virtual AAX_Result HandleParameterMouseDrag(AAX_CParamID parameterID, uint32 modifiers) = 0;
    // [editor-thread] As HandleParameterMouseDown, for the release. kResultNullObject without
    // the host interface.
    virtual AAX_Result HandleParameterMouseUp(AAX_CParamID parameterID, uint32 modifiers) = 0;
    // [editor-thread] As HandleParameterMouseDown, for numOfParameters identifiers (the
    // caller's array, read during the call). kResultUnimplemented when the host lacks the newer
    // version.
    virtual AAX_Result HandleMultipleParametersMouseDown(const AAX_CParamID* parameterIDs,
                                                         uint32 numParameters,
                                                         uint32 modifiers) = 0;
    // [editor-thread] As HandleMultipleParametersMouseDown, for a drag. kResultUnimplemented
    // when the host lacks the newer version.
    virtual AAX_Result HandleMultipleParametersMouseDrag(const AAX_CParamID* parameterIDs,
                                                         uint32 numParameters,
                                                         uint32 modifiers) = 0;
    // [editor-thread] As HandleMultipleParametersMouseDown, for the release.
    // kResultUnimplemented when the host lacks the newer version.
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
