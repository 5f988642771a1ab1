#pragma once

#include "AAX.h"
#include "AAX_ThreadTags.h"

class AAX_IString;

// A snapshot of one parameter's identifier and value. Only the accessor of the value's own
// type succeeds; the others return false and write nothing, which lets callers discover the
// type by trying them in turn.
class AAX_IParameterValue
{
public:
    virtual ~AAX_IParameterValue() = default;

    // [any-thread] A new heap copy; the caller owns it and deletes it.
    virtual AAX_IParameterValue* Clone() const = 0;
    // [any-thread] The identifier, owned by the snapshot.
    virtual AAX_CParamID Identifier() const = 0;
    // [any-thread] Writes *value and returns true for a bool snapshot; false and nothing
    // written otherwise. The same rule holds for each accessor below.
    virtual bool GetValueAsBool(bool* value) const = 0;
    // [any-thread] See GetValueAsBool.
    virtual bool GetValueAsInt32(int32* value) const = 0;
    // [any-thread] See GetValueAsBool.
    virtual bool GetValueAsFloat(float* value) const = 0;
    // [any-thread] See GetValueAsBool.
    virtual bool GetValueAsDouble(double* value) const = 0;
    // [any-thread] See GetValueAsBool; value is the caller's.
    virtual bool GetValueAsString(AAX_IString* value) const = 0;
};
