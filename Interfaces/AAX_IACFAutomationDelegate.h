#pragma once

#include "AAX.h"
#include "AAX_UIDs.h"

// The host's automation service: every parameter change made inside the plug-in goes to
// the host as a request, and the host answers by updating the effect parameters. Queried on
// the host object a component receives in Initialize. Identifiers are borrowed for the call.
class AAX_IACFAutomationDelegate : public IACFUnknown
{
public:
    virtual AAX_Result RegisterParameter(AAX_CParamID parameterID) = 0;
    virtual AAX_Result UnregisterParameter(AAX_CParamID parameterID) = 0;
    // Asks the host to set the parameter to normalizedValue.
    virtual AAX_Result PostSetValueRequest(AAX_CParamID parameterID, double normalizedValue) = 0;
    // Tells the host the normalized value now in effect.
    virtual AAX_Result PostCurrentValue(AAX_CParamID parameterID, double normalizedValue) = 0;
    virtual AAX_Result PostTouchRequest(AAX_CParamID parameterID) = 0;
    virtual AAX_Result PostReleaseRequest(AAX_CParamID parameterID) = 0;
    // Writes 1 when the parameter is touched, 0 otherwise.
    virtual AAX_Result GetTouchState(AAX_CParamID parameterID, AAX_CBoolean* outTouched) = 0;

protected:
    ~AAX_IACFAutomationDelegate() = default;
};
