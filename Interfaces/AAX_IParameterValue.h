#pragma once

#include "AAX.h"

class AAX_IString;

// A snapshot of one parameter's identifier and value. Only the accessor of the value's own
// type succeeds; the others return false and write nothing, which lets callers discover the
// type by trying them in turn.
class AAX_IParameterValue
{
public:
    virtual ~AAX_IParameterValue() = default;

    // A new heap copy; the caller owns it.
    virtual AAX_IParameterValue* Clone() const = 0;
    virtual AAX_CParamID Identifier() const = 0;
    virtual bool GetValueAsBool(bool* value) const = 0;
    virtual bool GetValueAsInt32(int32* value) const = 0;
    virtual bool GetValueAsFloat(float* value) const = 0;
    virtual bool GetValueAsDouble(double* value) const = 0;
    virtual bool GetValueAsString(AAX_IString* value) const = 0;
};
