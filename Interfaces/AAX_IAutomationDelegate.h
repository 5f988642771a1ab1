#pragma once

#include "AAX.h"

// The plug-in's view of the host's automation service. Every value change that starts inside
// the plug-in goes to the host as touch, set request and release; the host answers by
// updating the effect parameters. Not reference counted: the effect-parameters component owns
// it. Identifiers are borrowed for the call.
class AAX_IAutomationDelegate
{
public:
    virtual ~AAX_IAutomationDelegate() = default;

    virtual AAX_Result RegisterParameter(AAX_CParamID parameterID) = 0;
    virtual AAX_Result UnregisterParameter(AAX_CParamID parameterID) = 0;
    // Asks the host to set the parameter to normalizedValue.
    virtual AAX_Result PostSetValueRequest(AAX_CParamID parameterID,
                                           double normalizedValue) const = 0;
    // Tells the host the normalized value now in effect.
    virtual AAX_Result PostCurrentValue(AAX_CParamID parameterID, double normalizedValue) const = 0;
    virtual AAX_Result PostTouchRequest(AAX_CParamID parameterID) = 0;
    virtual AAX_Result PostReleaseRequest(AAX_CParamID parameterID) = 0;
    // Writes 1 when the parameter is touched, 0 otherwise.
    virtual AAX_Result GetTouchState(AAX_CParamID parameterID, AAX_CBoolean* outTouched) = 0;
};
