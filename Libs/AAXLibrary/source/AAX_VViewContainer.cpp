#include "AAX_VViewContainer.h"

#include "AAX_Errors.h"

AAX_VViewContainer::AAX_VViewContainer(IACFUnknown* container)
{
    if (!container) return;
    // A failed query leaves its holder empty; the operations below check before calling.
    container->QueryInterface(IID_IAAXViewContainerV1, reinterpret_cast<void**>(&mIViewContainer));
    container->QueryInterface(IID_IAAXViewContainerV2,
                              reinterpret_cast<void**>(&mIViewContainerV2));
}

AAX_VViewContainer::~AAX_VViewContainer()
{
    mIViewContainerV2.Clear();
    mIViewContainer.Clear();
}

int32 AAX_VViewContainer::GetType()
{
    if (!mIViewContainer) return AAX_eViewContainer_Type_NULL;
    return mIViewContainer->GetType();
}

void* AAX_VViewContainer::GetPtr()
{
    if (!mIViewContainer) return nullptr;
    return mIViewContainer->GetPtr();
}

AAX_Result AAX_VViewContainer::GetModifiers(uint32* outModifiers)
{
    if (!mIViewContainer) return kResultUnimplemented;
    return mIViewContainer->GetModifiers(outModifiers);
}

AAX_Result AAX_VViewContainer::SetViewSize(AAX_Point& size)
{
    if (!mIViewContainer) return kResultSuccess;
    return mIViewContainer->SetViewSize(size);
}

AAX_Result AAX_VViewContainer::HandleParameterMouseDown(AAX_CParamID parameterID, uint32 modifiers)
{
    if (!mIViewContainer) return kResultUnimplemented;
    return mIViewContainer->HandleParameterMouseDown(parameterID, modifiers);
}

AAX_Result AAX_VViewContainer::HandleParameterMouseDrag(AAX_CParamID parameterID, uint32 modifiers)
{
    if (!mIViewContainer) return kResultUnimplemented;
    return mIViewContainer->HandleParameterMouseDrag(parameterID, modifiers);
}

AAX_Result AAX_VViewContainer::HandleParameterMouseUp(AAX_CParamID parameterID, uint32 modifiers)
{
    if (!mIViewContainer) return kResultUnimplemented;
    return mIViewContainer->HandleParameterMouseUp(parameterID, modifiers);
}

AAX_Result AAX_VViewContainer::HandleMultipleParametersMouseDown(const AAX_CParamID* parameterIDs,
                                                                 uint32 numParameters,
                                                                 uint32 modifiers)
{
    if (!mIViewContainerV2) return kResultUnimplemented;
    return mIViewContainerV2->HandleMultipleParametersMouseDown(parameterIDs, numParameters,
                                                                modifiers);
}

AAX_Result AAX_VViewContainer::HandleMultipleParametersMouseDrag(const AAX_CParamID* parameterIDs,
                                                                 uint32 numParameters,
                                                                 uint32 modifiers)
{
    if (!mIViewContainerV2) return kResultUnimplemented;
    return mIViewContainerV2->HandleMultipleParametersMouseDrag(parameterIDs, numParameters,
                                                                modifiers);
}

AAX_Result AAX_VViewContainer::HandleMultipleParametersMouseUp(const AAX_CParamID* parameterIDs,
                                                               uint32 numParameters,
                                                               uint32 modifiers)
{
    if (!mIViewContainerV2) return kResultUnimplemented;
    return mIViewContainerV2->HandleMultipleParametersMouseUp(parameterIDs, numParameters,
                                                              modifiers);
}
