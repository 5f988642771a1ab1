#pragma once

#include "AAX.h"
#include "AAX_ThreadTags.h"
#include "AAX_UIDs.h"

// The host's automation service: every parameter change made inside the plug-in goes to
// the host as a request, and the host answers by updating the effect parameters. Queried on
// the host object a component receives in Initialize. Identifiers are borrowed for the call.
class AAX_IACFAutomationDelegate : public IACFUnknown
{
public:
    // [main-thread] The parameter (identifier borrowed) may now be automated; a result code.
    virtual AAX_Result RegisterParameter(AAX_CParamID parameterID) = 0;
    // [main-thread] The parameter is gone; the validator's lifecycle check holds that none
    // stays registered after a component's release.
    virtual AAX_Result UnregisterParameter(AAX_CParamID parameterID) = 0;
    // [any-thread] Asks the host to set the parameter to normalizedValue; the host answers
    // later (when it pumps) with UpdateParameterNormalizedValue. Comes from whichever thread
    // made the change: editor, offline pass, state restore.
    virtual AAX_Result PostSetValueRequest(AAX_CParamID parameterID, double normalizedValue) = 0;
    // [any-thread] Tells the host the normalized value now in effect.
    virtual AAX_Result PostCurrentValue(AAX_CParamID parameterID, double normalizedValue) = 0;
    // [any-thread] A gesture on the parameter begins.
    virtual AAX_Result PostTouchRequest(AAX_CParamID parameterID) = 0;
    // [any-thread] The gesture ends.
    virtual AAX_Result PostReleaseRequest(AAX_CParamID parameterID) = 0;
    // [any-thread] Writes 1 when the parameter is touched, 0 otherwise (outTouched the
    // caller's).
    virtual AAX_Result GetTouchState(AAX_CParamID parameterID, AAX_CBoolean* outTouched) = 0;

protected:
    ~AAX_IACFAutomationDelegate() = default;
};
