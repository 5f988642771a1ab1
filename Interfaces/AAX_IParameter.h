#pragma once

#include "AAX.h"

class AAX_CString;
class AAX_IString;
class AAX_IParameterValue;
class AAX_IAutomationDelegate;
class AAX_ITaperDelegateBase;
class AAX_IDisplayDelegateBase;

// One parameter of an effect: identifier, names, current and default value, steps, type and
// the taper and display delegates that relate real values, normalized values and text.
// With an automation delegate attached, every change made inside the plug-in is a request
// that the host echoes back through UpdateNormalizedValue; without one, changes apply at once.
// No lock: callers must not run two mutating operations on one parameter at the same time.
class AAX_IParameter
{
public:
    virtual ~AAX_IParameter() = default;

    // A snapshot of identifier and value; the caller owns it.
    virtual AAX_IParameterValue* CloneValue() const = 0;
    // At most 31 characters, zero-terminated; valid as long as the parameter.
    virtual AAX_CParamID Identifier() const = 0;
    virtual void SetName(const AAX_CString& name) = 0;
    virtual const AAX_CString& Name() const = 0;
    // Stored under its own length; a later name of the same length replaces the earlier one.
    virtual void AddShortenedName(const AAX_CString& name) = 0;
    // The longest name not longer than maxLength (see the implementation for the fallbacks).
    virtual const AAX_CString& ShortenedName(int32 maxLength) const = 0;
    virtual void ClearShortenedNames() = 0;
    virtual bool Automatable() const = 0;
    // Borrowed; unregisters from the previous delegate and registers with the new one.
    virtual void SetAutomationDelegate(AAX_IAutomationDelegate* automationDelegate) = 0;
    virtual void Touch() = 0;
    virtual void Release() = 0;

    // A set request: see the class comment.
    virtual void SetNormalizedValue(double normalizedValue) = 0;
    virtual double GetNormalizedValue() const = 0;
    // Changes the default only; nothing is sent to the host.
    virtual void SetNormalizedDefaultValue(double normalizedDefault) = 0;
    virtual double GetNormalizedDefaultValue() const = 0;
    virtual void SetToDefaultValue() = 0;
    // 0 is ignored.
    virtual void SetNumberOfSteps(uint32 numSteps) = 0;
    virtual uint32 GetNumberOfSteps() const = 0;
    // The nearest step, halves rounding up; 0 with fewer than 2 steps.
    virtual uint32 GetStepValue() const = 0;
    virtual void SetStepValue(uint32 step) = 0;

    virtual bool GetValueString(AAX_CString* valueString) const = 0;
    // The full text: this form does not apply the limit.
    virtual bool GetValueString(int32 maxNumChars, AAX_CString* valueString) const = 0;
    // Writes the normalized value whenever the text is understood; true only if it is in range.
    virtual bool GetNormalizedValueFromString(const AAX_CString& valueString,
                                              double* normalizedValue) const = 0;
    virtual bool GetStringFromNormalizedValue(double normalizedValue,
                                              AAX_CString& valueString) const = 0;
    virtual bool GetStringFromNormalizedValue(double normalizedValue, int32 maxNumChars,
                                              AAX_CString& valueString) const = 0;
    // A set request with the value read from the text; false when the text is not understood.
    virtual bool SetValueFromString(const AAX_CString& valueString) = 0;

    // Only the accessors of the parameter's own value type succeed; the rest return false.
    virtual bool GetValueAsBool(bool* value) const = 0;
    virtual bool GetValueAsInt32(int32* value) const = 0;
    virtual bool GetValueAsFloat(float* value) const = 0;
    virtual bool GetValueAsDouble(double* value) const = 0;
    virtual bool GetValueAsString(AAX_IString* value) const = 0;
    virtual bool SetValueWithBool(bool value) = 0;
    virtual bool SetValueWithInt32(int32 value) = 0;
    virtual bool SetValueWithFloat(float value) = 0;
    virtual bool SetValueWithDouble(double value) = 0;
    virtual bool SetValueWithString(const AAX_IString& value) = 0;

    virtual void SetType(AAX_EParameterType type) = 0;
    virtual AAX_EParameterType GetType() const = 0;
    virtual void SetOrientation(AAX_EParameterOrientation orientation) = 0;
    virtual AAX_EParameterOrientation GetOrientation() const = 0;
    // taper must be a taper of the parameter's value type (others are ignored); the parameter
    // keeps a copy. preserveValue keeps the real value, otherwise the normalized position.
    virtual void SetTaperDelegate(AAX_ITaperDelegateBase& taper, bool preserveValue) = 0;
    // display must be a display of the parameter's value type (others are ignored).
    virtual void SetDisplayDelegate(AAX_IDisplayDelegateBase& display) = 0;

    // The host-confirmed value: the only place where the value changes.
    virtual void UpdateNormalizedValue(double normalizedValue) = 0;
};
