#pragma once

#include "AAX.h"
#include "AAX_ThreadTags.h"

// The plug-in's view of the host's automation service. Every value change that starts inside
// the plug-in goes to the host as touch, set request and release; the host answers by
// updating the effect parameters. Not reference counted: the effect-parameters component owns
// it. Identifiers are borrowed for the call.
class AAX_IAutomationDelegate
{
public:
    virtual ~AAX_IAutomationDelegate() = default;

    // [main-thread] The parameter (identifier borrowed) may now be automated; a result code.
    // kResultNullObject without the host interface.
    virtual AAX_Result RegisterParameter(AAX_CParamID parameterID) = 0;
    // [main-thread] The parameter is gone; the validator's lifecycle check holds that none
    // stays registered after a component's release. kResultNullObject without the host
    // interface.
    virtual AAX_Result UnregisterParameter(AAX_CParamID parameterID) = 0;
    // [any-thread] Asks the host to set the parameter to normalizedValue; the host answers
    // later with UpdateParameterNormalizedValue. Without a host interface the request is
    // applied through the local update path instead (see AAX_VAutomationDelegate).
    virtual AAX_Result PostSetValueRequest(AAX_CParamID parameterID,
                                           double normalizedValue) const = 0;
    // [any-thread] Tells the host the normalized value now in effect. kResultNullObject without
    // the host interface.
    virtual AAX_Result PostCurrentValue(AAX_CParamID parameterID, double normalizedValue) const = 0;
    // [any-thread] A gesture on the parameter begins. kResultNullObject without the host
    // interface.
    virtual AAX_Result PostTouchRequest(AAX_CParamID parameterID) = 0;
    // [any-thread] The gesture ends. kResultNullObject without the host interface.
    virtual AAX_Result PostReleaseRequest(AAX_CParamID parameterID) = 0;
    // [any-thread] Writes 1 when the parameter is touched, 0 otherwise (outTouched the
    // caller's). kResultNullObject without the host interface.
    virtual AAX_Result GetTouchState(AAX_CParamID parameterID, AAX_CBoolean* outTouched) = 0;
};
