#pragma once

#include "AAX.h"
#include "AAX_ThreadTags.h"

class AAX_CString;
class AAX_IString;
class AAX_IParameterValue;
class AAX_IAutomationDelegate;
class AAX_ITaperDelegateBase;
class AAX_IDisplayDelegateBase;

// One parameter of an effect: identifier, names, current and default value, steps, type and
// the taper and display delegates that relate real values, normalized values and text.
// With an automation delegate attached, every change made inside the plug-in is a request
// that the host echoes back through UpdateNormalizedValue; without one (or with one whose host
// offers no automation), changes apply at once.
// No lock: callers must not run two mutating operations on one parameter at the same time.
class AAX_IParameter
{
public:
    virtual ~AAX_IParameter() = default;

    // [any-thread] A new snapshot of identifier and value; the caller owns it and deletes it.
    virtual AAX_IParameterValue* CloneValue() const = 0;
    // [any-thread] At most 31 characters, zero-terminated; owned by the parameter, valid as
    // long as it lives.
    virtual AAX_CParamID Identifier() const = 0;
    // [main-thread] Replaces the full name with a copy of name.
    virtual void SetName(const AAX_CString& name) = 0;
    // [any-thread] The full name, owned by the parameter.
    virtual const AAX_CString& Name() const = 0;
    // [main-thread] Keeps a copy under its own length; a later name of the same length replaces
    // the earlier one.
    virtual void AddShortenedName(const AAX_CString& name) = 0;
    // [any-thread] The longest name not longer than maxLength (the shortest when all are
    // longer, the full name without any); owned by the parameter.
    virtual const AAX_CString& ShortenedName(int32 maxLength) const = 0;
    // [main-thread] Forgets the shortened names.
    virtual void ClearShortenedNames() = 0;
    // [any-thread] Whether the host may automate the parameter.
    virtual bool Automatable() const = 0;
    // [main-thread] automationDelegate is borrowed (null detaches); unregisters from the
    // previous delegate and registers with the new one.
    virtual void SetAutomationDelegate(AAX_IAutomationDelegate* automationDelegate) = 0;
    // [any-thread] Tells the automation delegate a gesture begins; nothing without one.
    virtual void Touch() = 0;
    // [any-thread] Tells the automation delegate the gesture ends; nothing without one.
    virtual void Release() = 0;

    // [any-thread] A set request for normalizedValue as the taper can represent it: see the
    // class comment.
    virtual void SetNormalizedValue(double normalizedValue) = 0;
    // [any-thread] The current value, normalized by the taper.
    virtual double GetNormalizedValue() const = 0;
    // [main-thread] Changes the default only; nothing is sent to the host.
    virtual void SetNormalizedDefaultValue(double normalizedDefault) = 0;
    // [any-thread] The default, normalized by the taper.
    virtual double GetNormalizedDefaultValue() const = 0;
    // [any-thread] A set request for the default.
    virtual void SetToDefaultValue() = 0;
    // [main-thread] Stores the count; 0 is ignored.
    virtual void SetNumberOfSteps(uint32 numSteps) = 0;
    // [any-thread] The step count.
    virtual uint32 GetNumberOfSteps() const = 0;
    // [any-thread] The nearest step, halves rounding up; 0 with fewer than 2 steps.
    virtual uint32 GetStepValue() const = 0;
    // [any-thread] A set request for that step's value; nothing with fewer than 2 steps.
    virtual void SetStepValue(uint32 step) = 0;

    // [any-thread] Writes the current value's text into valueString (the caller's); the
    // display's verdict.
    virtual bool GetValueString(AAX_CString* valueString) const = 0;
    // [any-thread] As the form above: the full text, this form does not apply the limit.
    virtual bool GetValueString(int32 maxNumChars, AAX_CString* valueString) const = 0;
    // [any-thread] Writes the normalized value whenever the text is understood; true only if it
    // is in range.
    virtual bool GetNormalizedValueFromString(const AAX_CString& valueString,
                                              double* normalizedValue) const = 0;
    // [any-thread] Writes the text of a normalized value into valueString; false when it cannot
    // be shown or is out of range.
    virtual bool GetStringFromNormalizedValue(double normalizedValue,
                                              AAX_CString& valueString) const = 0;
    // [any-thread] As above, the text limited to maxNumChars characters.
    virtual bool GetStringFromNormalizedValue(double normalizedValue, int32 maxNumChars,
                                              AAX_CString& valueString) const = 0;
    // [any-thread] A set request with the value read from the text; false, and nothing sent,
    // when the text is not understood.
    virtual bool SetValueFromString(const AAX_CString& valueString) = 0;

    // [any-thread] Only the accessor of the parameter's own value type writes *value and
    // returns true; the rest return false and write nothing. The packet dispatcher reads values
    // this way on the processing thread.
    virtual bool GetValueAsBool(bool* value) const = 0;
    // [any-thread] See GetValueAsBool.
    virtual bool GetValueAsInt32(int32* value) const = 0;
    // [any-thread] See GetValueAsBool.
    virtual bool GetValueAsFloat(float* value) const = 0;
    // [any-thread] See GetValueAsBool.
    virtual bool GetValueAsDouble(double* value) const = 0;
    // [any-thread] See GetValueAsBool; value is the caller's.
    virtual bool GetValueAsString(AAX_IString* value) const = 0;
    // [any-thread] A set request when the parameter's type matches (true), else false and
    // nothing sent.
    virtual bool SetValueWithBool(bool value) = 0;
    // [any-thread] See SetValueWithBool.
    virtual bool SetValueWithInt32(int32 value) = 0;
    // [any-thread] See SetValueWithBool.
    virtual bool SetValueWithFloat(float value) = 0;
    // [any-thread] See SetValueWithBool.
    virtual bool SetValueWithDouble(double value) = 0;
    // [any-thread] See SetValueWithBool; value is borrowed for the call.
    virtual bool SetValueWithString(const AAX_IString& value) = 0;

    // [main-thread] Stores the type reported to the host.
    virtual void SetType(AAX_EParameterType type) = 0;
    // [any-thread] The stored type.
    virtual AAX_EParameterType GetType() const = 0;
    // [main-thread] Stores the orientation reported to the host.
    virtual void SetOrientation(AAX_EParameterOrientation orientation) = 0;
    // [any-thread] The stored orientation.
    virtual AAX_EParameterOrientation GetOrientation() const = 0;
    // [main-thread] taper (borrowed) must be a taper of the parameter's value type, others are
    // ignored; the parameter keeps a copy. preserveValue keeps the real value, otherwise the
    // normalized position.
    virtual void SetTaperDelegate(AAX_ITaperDelegateBase& taper, bool preserveValue) = 0;
    // [main-thread] display (borrowed) must be a display of the parameter's value type, others
    // are ignored; the parameter keeps a copy.
    virtual void SetDisplayDelegate(AAX_IDisplayDelegateBase& display) = 0;

    // [main-thread] The host-confirmed value: the only place where the value changes; posts the
    // new value back to the automation delegate once.
    virtual void UpdateNormalizedValue(double normalizedValue) = 0;
};
