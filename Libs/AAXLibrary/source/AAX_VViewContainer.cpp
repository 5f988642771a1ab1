#include "AAX_VViewContainer.h"

#include <functional>
#include <type_traits>
#include <utility>

#include "AAX_Errors.h"

namespace
{
// Calls the host's operation when the host offers the interface version that holds it;
// otherwise answers absent without calling the host.
template <typename Interface, typename Operation, typename... Args>
std::invoke_result_t<Operation, Interface&, Args&&...>
ForwardToHost(const ACFPtr<Interface>& host,
              std::invoke_result_t<Operation, Interface&, Args&&...> absent, Operation operation,
              Args&&... args)
{
    if (!host) return absent;
    return std::invoke(operation, *host.get(), std::forward<Args>(args)...);
}

// The several-parameter mouse events are the version-2 interface's.
using ContainerV2 = AAX_IACFViewContainer_V2;
} // namespace

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
    return ForwardToHost(mIViewContainer, AAX_eViewContainer_Type_NULL,
                         &AAX_IACFViewContainer::GetType);
}

void* AAX_VViewContainer::GetPtr()
{
    return ForwardToHost(mIViewContainer, nullptr, &AAX_IACFViewContainer::GetPtr);
}

AAX_Result AAX_VViewContainer::GetModifiers(uint32* outModifiers)
{
    return ForwardToHost(mIViewContainer, kResultUnimplemented,
                         &AAX_IACFViewContainer::GetModifiers, outModifiers);
}

AAX_Result AAX_VViewContainer::SetViewSize(AAX_Point& size)
{
    return ForwardToHost(mIViewContainer, kResultSuccess, &AAX_IACFViewContainer::SetViewSize,
                         size);
}

AAX_Result AAX_VViewContainer::HandleParameterMouseDown(AAX_CParamID parameterID, uint32 modifiers)
{
    return ForwardToHost(mIViewContainer, kResultUnimplemented,
                         &AAX_IACFViewContainer::HandleParameterMouseDown, parameterID, modifiers);
}

AAX_Result AAX_VViewContainer::HandleParameterMouseDrag(AAX_CParamID parameterID, uint32 modifiers)
{
    return ForwardToHost(mIViewContainer, kResultUnimplemented,
                         &AAX_IACFViewContainer::HandleParameterMouseDrag, parameterID, modifiers);
}

AAX_Result AAX_VViewContainer::HandleParameterMouseUp(AAX_CParamID parameterID, uint32 modifiers)
{
    return ForwardToHost(mIViewContainer, kResultUnimplemented,
                         &AAX_IACFViewContainer::HandleParameterMouseUp, parameterID, modifiers);
}

AAX_Result AAX_VViewContainer::HandleMultipleParametersMouseDown(const AAX_CParamID* ids,
                                                                 uint32 count, uint32 modifiers)
{
    return ForwardToHost(mIViewContainerV2, kResultUnimplemented,
                         &ContainerV2::HandleMultipleParametersMouseDown, ids, count, modifiers);
}

AAX_Result AAX_VViewContainer::HandleMultipleParametersMouseDrag(const AAX_CParamID* ids,
                                                                 uint32 count, uint32 modifiers)
{
    return ForwardToHost(mIViewContainerV2, kResultUnimplemented,
                         &ContainerV2::HandleMultipleParametersMouseDrag, ids, count, modifiers);
}

AAX_Result AAX_VViewContainer::HandleMultipleParametersMouseUp(const AAX_CParamID* ids,
                                                               uint32 count, uint32 modifiers)
{
    return ForwardToHost(mIViewContainerV2, kResultUnimplemented,
                         &ContainerV2::HandleMultipleParametersMouseUp, ids, count, modifiers);
}
