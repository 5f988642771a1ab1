#include "HostAutomationDelegate.h"

#include <algorithm>

#include "AAX_Errors.h"

namespace orv::host
{

void HostAutomationDelegate::SetParameters(AAX_IACFEffectParameters* parameters)
{
    std::lock_guard<std::mutex> lock(mMutex);
    mParameters = parameters;
}

void HostAutomationDelegate::SetUpdateListener(UpdateListener listener)
{
    std::lock_guard<std::mutex> lock(mMutex);
    mListener = std::move(listener);
}

void HostAutomationDelegate::SetImmediate(bool immediate)
{
    std::lock_guard<std::mutex> lock(mMutex);
    mImmediate = immediate;
}

bool HostAutomationDelegate::Immediate() const
{
    std::lock_guard<std::mutex> lock(mMutex);
    return mImmediate;
}

int32 HostAutomationDelegate::Pump()
{
    int32 applied = 0;
    for (int32 round = 0; round < kMaxPumpRounds; ++round)
    {
        std::vector<Request> batch;
        {
            std::lock_guard<std::mutex> lock(mMutex);
            batch.swap(mPending);
        }
        if (batch.empty()) return applied;
        for (const Request& request : batch)
        {
            Apply(request);
            ++applied;
        }
    }
    return applied;
}

std::vector<HostAutomationDelegate::Request> HostAutomationDelegate::PendingRequests() const
{
    std::lock_guard<std::mutex> lock(mMutex);
    return mPending;
}

std::vector<HostAutomationDelegate::Event> HostAutomationDelegate::Events() const
{
    std::lock_guard<std::mutex> lock(mMutex);
    return mEvents;
}

size_t HostAutomationDelegate::Count(EventKind kind, const std::string& identifier) const
{
    std::lock_guard<std::mutex> lock(mMutex);
    return static_cast<size_t>(std::count_if(
        mEvents.begin(), mEvents.end(),
        [&](const Event& event)
        { return event.kind == kind && (identifier.empty() || event.identifier == identifier); }));
}

void HostAutomationDelegate::ClearEvents()
{
    std::lock_guard<std::mutex> lock(mMutex);
    mEvents.clear();
}

std::vector<std::string> HostAutomationDelegate::Registered() const
{
    std::lock_guard<std::mutex> lock(mMutex);
    return mRegistered;
}

void HostAutomationDelegate::Record(EventKind kind, AAX_CParamID parameterID, double value)
{
    mEvents.push_back({kind, parameterID, value});
}

AAX_Result HostAutomationDelegate::RegisterParameter(AAX_CParamID parameterID)
{
    if (!parameterID) return kResultNullArgument;
    std::lock_guard<std::mutex> lock(mMutex);
    Record(EventKind::Register, parameterID, 0.0);
    if (std::find(mRegistered.begin(), mRegistered.end(), parameterID) == mRegistered.end())
        mRegistered.emplace_back(parameterID);
    return kResultSuccess;
}

AAX_Result HostAutomationDelegate::UnregisterParameter(AAX_CParamID parameterID)
{
    if (!parameterID) return kResultNullArgument;
    std::lock_guard<std::mutex> lock(mMutex);
    Record(EventKind::Unregister, parameterID, 0.0);
    mRegistered.erase(std::remove(mRegistered.begin(), mRegistered.end(), parameterID),
                      mRegistered.end());
    mTouchCount.erase(parameterID);
    return kResultSuccess;
}

AAX_Result HostAutomationDelegate::PostSetValueRequest(AAX_CParamID parameterID,
                                                       double normalizedValue)
{
    if (!parameterID) return kResultNullArgument;
    Request request{parameterID, normalizedValue};
    {
        std::lock_guard<std::mutex> lock(mMutex);
        Record(EventKind::SetRequest, parameterID, normalizedValue);
        // A request made while an immediate one is being applied waits for the next Pump.
        if (!mImmediate || mApplyingImmediate)
        {
            mPending.push_back(std::move(request));
            return kResultSuccess;
        }
        mApplyingImmediate = true;
    }
    Apply(request);
    std::lock_guard<std::mutex> lock(mMutex);
    mApplyingImmediate = false;
    return kResultSuccess;
}

AAX_Result HostAutomationDelegate::PostCurrentValue(AAX_CParamID parameterID,
                                                    double normalizedValue)
{
    if (!parameterID) return kResultNullArgument;
    std::lock_guard<std::mutex> lock(mMutex);
    Record(EventKind::CurrentValue, parameterID, normalizedValue);
    return kResultSuccess;
}

AAX_Result HostAutomationDelegate::PostTouchRequest(AAX_CParamID parameterID)
{
    if (!parameterID) return kResultNullArgument;
    std::lock_guard<std::mutex> lock(mMutex);
    Record(EventKind::Touch, parameterID, 0.0);
    ++mTouchCount[parameterID];
    return kResultSuccess;
}

AAX_Result HostAutomationDelegate::PostReleaseRequest(AAX_CParamID parameterID)
{
    if (!parameterID) return kResultNullArgument;
    std::lock_guard<std::mutex> lock(mMutex);
    Record(EventKind::Release, parameterID, 0.0);
    auto touched = mTouchCount.find(parameterID);
    if (touched != mTouchCount.end() && --touched->second <= 0) mTouchCount.erase(touched);
    return kResultSuccess;
}

AAX_Result HostAutomationDelegate::GetTouchState(AAX_CParamID parameterID, AAX_CBoolean* outTouched)
{
    if (!parameterID || !outTouched) return kResultNullArgument;
    std::lock_guard<std::mutex> lock(mMutex);
    *outTouched = mTouchCount.count(parameterID) != 0 ? 1 : 0;
    return kResultSuccess;
}

void HostAutomationDelegate::Apply(const Request& request)
{
    AAX_IACFEffectParameters* parameters = nullptr;
    UpdateListener listener;
    {
        std::lock_guard<std::mutex> lock(mMutex);
        parameters = mParameters;
        listener = mListener;
    }
    if (!parameters) return;
    if (parameters->UpdateParameterNormalizedValue(request.identifier.c_str(), request.value,
                                                   AAX_eUpdateSource_Parameter) != kResultSuccess)
        return;
    if (listener) listener(request.identifier.c_str(), request.value);
}

void* HostAutomationDelegate::Find(const _acfUID& iid)
{
    if (iid == IID_IACFUnknown) return AsUnknown();
    if (iid == IID_IAAXAutomationDelegateV1) return static_cast<AAX_IACFAutomationDelegate*>(this);
    return nullptr;
}

} // namespace orv::host
