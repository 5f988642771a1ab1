#pragma once

#include "AAX_IACFAutomationDelegate.h"
#include "AAX_IAutomationDelegate.h"
#include "ACFPtr.h"

// Forwards AAX_IAutomationDelegate to the host's automation interface. Without one every
// operation answers kResultNullObject; nothing throws.
class AAX_VAutomationDelegate : public AAX_IAutomationDelegate
{
public:
    // Queries host (borrowed, may be null) for the automation interface and keeps the result.
    explicit AAX_VAutomationDelegate(IACFUnknown* host);
    ~AAX_VAutomationDelegate() override = default;

    AAX_VAutomationDelegate(const AAX_VAutomationDelegate&) = delete;
    AAX_VAutomationDelegate& operator=(const AAX_VAutomationDelegate&) = delete;

    AAX_Result RegisterParameter(AAX_CParamID parameterID) override;
    AAX_Result UnregisterParameter(AAX_CParamID parameterID) override;
    AAX_Result PostSetValueRequest(AAX_CParamID parameterID, double normalizedValue) const override;
    AAX_Result PostCurrentValue(AAX_CParamID parameterID, double normalizedValue) const override;
    AAX_Result PostTouchRequest(AAX_CParamID parameterID) override;
    AAX_Result PostReleaseRequest(AAX_CParamID parameterID) override;
    AAX_Result GetTouchState(AAX_CParamID parameterID, AAX_CBoolean* outTouched) override;

private:
    ACFPtr<AAX_IACFAutomationDelegate> mIAutomationDelegate;
};
