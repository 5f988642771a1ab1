#pragma once

#include "AAX_IACFAutomationDelegate.h"
#include "AAX_IAutomationDelegate.h"
#include "ACFPtr.h"

class AAX_IACFEffectParameters;

// Forwards AAX_IAutomationDelegate to the host's automation interface. Without one every
// operation answers kResultNullObject, except a set request: no host would ever echo it, so
// it goes straight to the local effect parameters' update (when one was given), as the host's
// answer would. Changes made inside the plug-in then apply at once. Nothing throws.
class AAX_VAutomationDelegate : public AAX_IAutomationDelegate
{
public:
    // Queries host (borrowed, may be null) for the automation interface and keeps the result.
    // localUpdates (borrowed, may be null; must outlive this wrapper) takes the set requests
    // when the host has no automation interface.
    explicit AAX_VAutomationDelegate(IACFUnknown* host,
                                     AAX_IACFEffectParameters* localUpdates = nullptr);
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

    // Whether the host offered its automation interface.
    bool HasHostInterface() const { return mIAutomationDelegate.get() != nullptr; }

private:
    ACFPtr<AAX_IACFAutomationDelegate> mIAutomationDelegate;
    AAX_IACFEffectParameters* mLocalUpdates;
};
