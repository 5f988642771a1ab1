#pragma once

#include "AAX_CString.h"
#include "AAX_IDisplayDelegate.h"

// Shows a number in fixed-point notation with Precision digits after the point.
// SpaceAfter is part of the type name only: with 0 no unit text is added.
template <typename T, int Precision = 2, int SpaceAfter = 0>
class AAX_CNumberDisplayDelegate : public AAX_IDisplayDelegate<T>
{
public:
    AAX_CNumberDisplayDelegate* Clone() const override
    {
        return new AAX_CNumberDisplayDelegate(*this);
    }

    bool ValueToString(T value, AAX_CString* valueString) const override
    {
        if (!valueString) return false;
        valueString->Clear();
        valueString->AppendNumber(static_cast<double>(value), Precision);
        return true;
    }

    // Cuts the digits (never rounds again) and drops a decimal point left dangling at the end.
    bool ValueToString(T value, int maxNumChars, AAX_CString* valueString) const override
    {
        if (!ValueToString(value, valueString)) return false;
        const uint32 limit = maxNumChars < 0 ? 0u : static_cast<uint32>(maxNumChars);
        if (valueString->Length() > limit) valueString->Erase(limit, valueString->Length() - limit);
        if (limit != 0 && valueString->Length() == limit && (*valueString)[limit - 1] == '.')
            valueString->Erase(limit - 1, 1);
        return true;
    }

    bool StringToValue(const AAX_CString& valueString, T* value) const override
    {
        double parsed = 0.0;
        const bool understood = valueString.ToDouble(&parsed);
        if (value) *value = understood ? static_cast<T>(parsed) : static_cast<T>(0);
        return understood;
    }
};
