#include "AAX_VAutomationDelegate.h"

#include "AAX_Errors.h"
#include "AAX_IACFEffectParameters.h"

AAX_VAutomationDelegate::AAX_VAutomationDelegate(IACFUnknown* host,
                                                 AAX_IACFEffectParameters* localUpdates)
    : mLocalUpdates(localUpdates)
{
    if (host)
        host->QueryInterface(IID_IAAXAutomationDelegateV1,
                             reinterpret_cast<void**>(&mIAutomationDelegate));
}

AAX_Result AAX_VAutomationDelegate::RegisterParameter(AAX_CParamID parameterID)
{
    if (!mIAutomationDelegate) return kResultNullObject;
    return mIAutomationDelegate->RegisterParameter(parameterID);
}

AAX_Result AAX_VAutomationDelegate::UnregisterParameter(AAX_CParamID parameterID)
{
    if (!mIAutomationDelegate) return kResultNullObject;
    return mIAutomationDelegate->UnregisterParameter(parameterID);
}

AAX_Result AAX_VAutomationDelegate::PostSetValueRequest(AAX_CParamID parameterID,
                                                        double normalizedValue) const
{
    if (mIAutomationDelegate)
        return mIAutomationDelegate->PostSetValueRequest(parameterID, normalizedValue);
    if (!mLocalUpdates) return kResultNullObject;
    return mLocalUpdates->UpdateParameterNormalizedValue(parameterID, normalizedValue,
                                                         AAX_eUpdateSource_Unspecified);
}

AAX_Result AAX_VAutomationDelegate::PostCurrentValue(AAX_CParamID parameterID,
                                                     double normalizedValue) const
{
    if (!mIAutomationDelegate) return kResultNullObject;
    return mIAutomationDelegate->PostCurrentValue(parameterID, normalizedValue);
}

AAX_Result AAX_VAutomationDelegate::PostTouchRequest(AAX_CParamID parameterID)
{
    if (!mIAutomationDelegate) return kResultNullObject;
    return mIAutomationDelegate->PostTouchRequest(parameterID);
}

AAX_Result AAX_VAutomationDelegate::PostReleaseRequest(AAX_CParamID parameterID)
{
    if (!mIAutomationDelegate) return kResultNullObject;
    return mIAutomationDelegate->PostReleaseRequest(parameterID);
}

AAX_Result AAX_VAutomationDelegate::GetTouchState(AAX_CParamID parameterID,
                                                  AAX_CBoolean* outTouched)
{
    if (!mIAutomationDelegate) return kResultNullObject;
    return mIAutomationDelegate->GetTouchState(parameterID, outTouched);
}
