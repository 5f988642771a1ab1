#pragma once

#include <string>
#include <vector>

#include "ACFPtr.h"
#include "DemoDelay_Parameters.h"
#include "HostAutomationDelegate.h"
#include "ReferenceHost.h"

namespace orv::test
{

// The plug-in's own parameters component in the reference host, as the host processor meets
// it: the host's context answers effect-parameters queries with it, and the host's
// automation applies every set request at once while recording it.
class HostedParameters
{
public:
    explicit HostedParameters(orv::host::ReferenceHost& host) : mHost(host)
    {
        void* counted = nullptr;
        DemoDelay_Parameters::Create()->QueryInterface(IID_IAAXEffectParametersV1, &counted);
        mParameters.Attach(static_cast<AAX_IACFEffectParameters*>(counted));
        mAutomation->SetImmediate(true);
        mAutomation->SetParameters(mParameters.get());
        mHost.ContextObject().Offer(mAutomation.get());
        mParameters->Initialize(mHost.Context());
        mHost.ContextObject().Offer(mParameters.get());
        mAutomation->ClearEvents();
    }
    ~HostedParameters()
    {
        mHost.ContextObject().Withdraw(mParameters.get());
        mParameters->Uninitialize();
        mAutomation->SetParameters(nullptr);
    }
    HostedParameters(const HostedParameters&) = delete;
    HostedParameters& operator=(const HostedParameters&) = delete;

    AAX_IACFEffectParameters* Get() const { return mParameters.get(); }
    orv::host::HostAutomationDelegate& Automation() const { return *mAutomation.get(); }
    void Set(const char* id, double value) { mParameters->SetParameterNormalizedValue(id, value); }
    double Value(const char* id) const
    {
        double value = -1.0;
        mParameters->GetParameterNormalizedValue(id, &value);
        return value;
    }
    // The values requested for id, in order.
    std::vector<double> Requests(const std::string& id) const
    {
        std::vector<double> values;
        for (const auto& event : mAutomation->Events())
            if (event.kind == orv::host::HostAutomationDelegate::EventKind::SetRequest &&
                event.identifier == id)
                values.push_back(event.value);
        return values;
    }
    size_t RequestCount() const
    {
        return mAutomation->Count(orv::host::HostAutomationDelegate::EventKind::SetRequest);
    }

private:
    orv::host::ReferenceHost& mHost;
    ACFPtr<orv::host::HostAutomationDelegate> mAutomation{new orv::host::HostAutomationDelegate};
    ACFPtr<AAX_IACFEffectParameters> mParameters;
};

} // namespace orv::test
