#pragma once

#include <atomic>
#include <cstring>
#include <type_traits>

#include "AAX_IParameterValue.h"

// Longest parameter identifier, terminator excluded; longer identifiers are cut.
constexpr size_t kAAX_ParameterIdentifierMaxLength = 31;

// The value record a parameter embeds and hands out as a snapshot: the identifier (cut to 31
// characters) and the current real value. T is bool or float. The value is written by the
// thread that applies the host's updates and read by the one that generates coefficients, so it
// is atomic; the packet dispatcher's lock orders it with the dirty marks.
template <typename T> class AAX_CParameterValue : public AAX_IParameterValue
{
public:
    AAX_CParameterValue(AAX_CParamID identifier, T value) : mValue(value)
    {
        SetIdentifier(identifier);
    }

    AAX_CParameterValue(const AAX_CParameterValue& other) : mValue(other.Get())
    {
        std::memcpy(mIdentifier, other.mIdentifier, sizeof mIdentifier);
    }
    AAX_CParameterValue& operator=(const AAX_CParameterValue&) = delete;

    AAX_CParameterValue* Clone() const override { return new AAX_CParameterValue(*this); }
    AAX_CParamID Identifier() const override { return mIdentifier; }

    T Get() const { return mValue.load(std::memory_order_relaxed); }
    void Set(T value) { mValue.store(value, std::memory_order_relaxed); }

    bool GetValueAsBool(bool* value) const override { return GetAs(value); }
    bool GetValueAsInt32(int32* value) const override { return GetAs(value); }
    bool GetValueAsFloat(float* value) const override { return GetAs(value); }
    bool GetValueAsDouble(double* value) const override { return GetAs(value); }
    bool GetValueAsString(AAX_IString* /*value*/) const override { return false; }

private:
    void SetIdentifier(AAX_CParamID identifier)
    {
        std::memset(mIdentifier, 0, sizeof mIdentifier);
        if (identifier)
            std::memcpy(mIdentifier, identifier,
                        strnlen(identifier, kAAX_ParameterIdentifierMaxLength));
    }

    template <typename U> bool GetAs(U* value) const
    {
        if constexpr (std::is_same_v<U, T>)
        {
            if (!value) return false;
            *value = Get();
            return true;
        }
        else
        {
            (void)value;
            return false;
        }
    }

    char mIdentifier[kAAX_ParameterIdentifierMaxLength + 1];
    std::atomic<T> mValue;
};
