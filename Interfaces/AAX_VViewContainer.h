#pragma once

#include "AAX_IACFViewContainer.h"
#include "AAX_IViewContainer.h"
#include "ACFPtr.h"

// Wraps the host's view container. Holds one counted reference to each interface version the
// host offers; an operation whose version is missing answers 0, null or kResultUnimplemented
// instead of calling the host.
class AAX_VViewContainer : public AAX_IViewContainer
{
public:
    // container: the host's object (borrowed; the wrapper takes its own references). May be
    // null: the wrapper then answers every call without a host.
    explicit AAX_VViewContainer(IACFUnknown* container);
    ~AAX_VViewContainer() override;

    AAX_VViewContainer(const AAX_VViewContainer&) = delete;
    AAX_VViewContainer& operator=(const AAX_VViewContainer&) = delete;

    int32 GetType() override;
    void* GetPtr() override;
    AAX_Result GetModifiers(uint32* outModifiers) override;
    AAX_Result SetViewSize(AAX_Point& size) override;
    AAX_Result HandleParameterMouseDown(AAX_CParamID parameterID, uint32 modifiers) override;
    AAX_Result HandleParameterMouseDrag(AAX_CParamID parameterID, uint32 modifiers) override;
    AAX_Result HandleParameterMouseUp(AAX_CParamID parameterID, uint32 modifiers) override;
    AAX_Result HandleMultipleParametersMouseDown(const AAX_CParamID* parameterIDs,
                                                 uint32 numParameters, uint32 modifiers) override;
    AAX_Result HandleMultipleParametersMouseDrag(const AAX_CParamID* parameterIDs,
                                                 uint32 numParameters, uint32 modifiers) override;
    AAX_Result HandleMultipleParametersMouseUp(const AAX_CParamID* parameterIDs,
                                               uint32 numParameters, uint32 modifiers) override;

private:
    ACFPtr<AAX_IACFViewContainer> mIViewContainer;
    ACFPtr<AAX_IACFViewContainer_V2> mIViewContainerV2;
};
