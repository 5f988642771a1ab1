#pragma once

#include "AAX_CString.h"
#include "AAX_IDisplayDelegate.h"

// Shows an on/off value as one of two texts and reads back exactly those texts
// (case-sensitive).
template <typename T> class AAX_CBinaryDisplayDelegate : public AAX_IDisplayDelegate<T>
{
public:
    AAX_CBinaryDisplayDelegate(const char* falseString, const char* trueString)
        : mFalseString(falseString), mTrueString(trueString)
    {
    }

    AAX_CBinaryDisplayDelegate* Clone() const override
    {
        return new AAX_CBinaryDisplayDelegate(*this);
    }

    bool ValueToString(T value, AAX_CString* valueString) const override
    {
        if (!valueString) return false;
        *valueString = value ? mTrueString : mFalseString;
        return true;
    }

    // The texts are never shortened, whatever the limit.
    bool ValueToString(T value, int /*maxNumChars*/, AAX_CString* valueString) const override
    {
        return ValueToString(value, valueString);
    }

    bool StringToValue(const AAX_CString& valueString, T* value) const override
    {
        bool understood = true;
        T parsed = false;
        if (valueString == mTrueString)
            parsed = true;
        else if (valueString != mFalseString)
            understood = false;
        if (value) *value = parsed;
        return understood;
    }

private:
    AAX_CString mFalseString;
    AAX_CString mTrueString;
};
