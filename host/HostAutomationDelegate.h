#pragma once

#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <vector>

#include "AAX_IACFAutomationDelegate.h"
#include "AAX_IACFEffectParameters.h"
#include "HostUnknown.h"

namespace orv::host
{

// The host's automation service. It records every call the plug-in makes (registration,
// touch, set request, release, current value), keeps the touch state, and answers set
// requests the way a host does: queued, and applied when the host is pumped, by calling
// UpdateParameterNormalizedValue on the instance's parameters component and then the update
// listener (the editor's hook). In immediate mode a set request is applied during the call.
class HostAutomationDelegate : public HostUnknown<AAX_IACFAutomationDelegate>
{
public:
    enum class EventKind
    {
        Register,
        Unregister,
        Touch,
        SetRequest,
        Release,
        CurrentValue,
    };
    struct Event
    {
        EventKind kind;
        std::string identifier;
        double value; // the normalized value of SetRequest and CurrentValue, else 0
    };
    struct Request
    {
        std::string identifier;
        double value;
    };
    // Called after each applied update with the identifier and the normalized value.
    using UpdateListener = std::function<void(const char* identifier, double value)>;

    // parameters: the instance's parameters component, borrowed; clear it with
    // SetParameters(nullptr) before it goes away. Requests for no component are dropped.
    void SetParameters(AAX_IACFEffectParameters* parameters);
    void SetUpdateListener(UpdateListener listener);
    void SetImmediate(bool immediate);
    bool Immediate() const;

    // Rounds of requests one Pump applies; requests caused beyond them wait for the next Pump,
    // so a listener that answers every update with a request cannot loop forever.
    static constexpr int32 kMaxPumpRounds = 64;

    // Applies the queued set requests in the order they came (including those they cause);
    // returns how many were applied.
    int32 Pump();
    std::vector<Request> PendingRequests() const;

    std::vector<Event> Events() const;
    // Events of one kind for one identifier (all identifiers when it is empty).
    size_t Count(EventKind kind, const std::string& identifier = std::string()) const;
    void ClearEvents();
    // The identifiers registered now, in registration order.
    std::vector<std::string> Registered() const;

    AAX_Result RegisterParameter(AAX_CParamID parameterID) override;
    AAX_Result UnregisterParameter(AAX_CParamID parameterID) override;
    AAX_Result PostSetValueRequest(AAX_CParamID parameterID, double normalizedValue) override;
    AAX_Result PostCurrentValue(AAX_CParamID parameterID, double normalizedValue) override;
    AAX_Result PostTouchRequest(AAX_CParamID parameterID) override;
    AAX_Result PostReleaseRequest(AAX_CParamID parameterID) override;
    AAX_Result GetTouchState(AAX_CParamID parameterID, AAX_CBoolean* outTouched) override;

protected:
    void* Find(const _acfUID& iid) override;

private:
    void Record(EventKind kind, AAX_CParamID parameterID, double value);
    // Calls the component and the listener outside the lock: they may call back in.
    void Apply(const Request& request);

    mutable std::mutex mMutex;
    AAX_IACFEffectParameters* mParameters = nullptr;
    UpdateListener mListener;
    bool mImmediate = false;
    bool mApplyingImmediate = false;
    std::vector<Request> mPending;
    std::vector<Event> mEvents;
    std::vector<std::string> mRegistered;
    std::map<std::string, int32> mTouchCount;
};

} // namespace orv::host
