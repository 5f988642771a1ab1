#include "HostViewContainer.h"

#include "AAX_UIDs.h"

namespace orv::host
{

HostViewContainer::HostViewContainer(void* nativeView, int32 type, bool offerVersion2)
    : HostVersionedUnknown(offerVersion2), mNativeView(nativeView), mType(type)
{
}

void HostViewContainer::SetModifiers(uint32 modifiers)
{
    std::lock_guard<std::mutex> lock(mMutex);
    mModifiers = modifiers;
}

void HostViewContainer::SetMouseAnswer(MouseKind kind, AAX_Result answer)
{
    std::lock_guard<std::mutex> lock(mMutex);
    mAnswers[static_cast<int>(kind)] = answer;
}

std::vector<HostViewContainer::MouseEvent> HostViewContainer::MouseEvents() const
{
    std::lock_guard<std::mutex> lock(mMutex);
    return mEvents;
}

size_t HostViewContainer::MouseEventCount(MouseKind kind, const std::string& identifier) const
{
    std::lock_guard<std::mutex> lock(mMutex);
    size_t count = 0;
    for (const MouseEvent& event : mEvents)
        if (event.kind == kind && (identifier.empty() || event.identifier == identifier)) ++count;
    return count;
}

AAX_Point HostViewContainer::RequestedSize() const
{
    std::lock_guard<std::mutex> lock(mMutex);
    return mRequestedSize;
}

int32 HostViewContainer::GetType()
{
    return mType;
}

void* HostViewContainer::GetPtr()
{
    return mNativeView;
}

AAX_Result HostViewContainer::GetModifiers(uint32* outModifiers)
{
    if (!outModifiers) return kResultNullArgument;
    std::lock_guard<std::mutex> lock(mMutex);
    *outModifiers = mModifiers;
    return kResultSuccess;
}

AAX_Result HostViewContainer::SetViewSize(AAX_Point& size)
{
    std::lock_guard<std::mutex> lock(mMutex);
    mRequestedSize = size;
    return kResultSuccess;
}

AAX_Result HostViewContainer::Offer(MouseKind kind, AAX_CParamID parameterID, uint32 modifiers)
{
    std::lock_guard<std::mutex> lock(mMutex);
    mEvents.push_back({kind, parameterID ? parameterID : "", modifiers});
    return mAnswers[static_cast<int>(kind)];
}

} // namespace orv::host
