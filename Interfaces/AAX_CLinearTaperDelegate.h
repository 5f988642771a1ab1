#pragma once

#include "AAX_ITaperDelegate.h"

// A straight line from minimum (normalized 0) to maximum (normalized 1). RealPrecision is part
// of the type name only: with 0 the real value is never rounded. Maximum must differ from
// minimum.
template <typename T, int RealPrecision = 0>
class AAX_CLinearTaperDelegate : public AAX_ITaperDelegate<T>
{
public:
    AAX_CLinearTaperDelegate(T minimumValue, T maximumValue)
        : mMinValue(minimumValue), mMaxValue(maximumValue)
    {
    }

    AAX_CLinearTaperDelegate* Clone() const override { return new AAX_CLinearTaperDelegate(*this); }
    T GetMaximumValue() const override { return mMaxValue; }
    T GetMinimumValue() const override { return mMinValue; }

    // Written so that a NaN ends up at the minimum rather than passing through.
    T ConstrainRealValue(T value) const override
    {
        if (value > mMaxValue) return mMaxValue;
        return mMinValue < value ? value : mMinValue;
    }

    T NormalizedToReal(double normalizedValue) const override
    {
        const double real =
            (static_cast<double>(mMaxValue) - static_cast<double>(mMinValue)) * normalizedValue +
            static_cast<double>(mMinValue);
        return this->ConstrainRealValue(static_cast<T>(real));
    }

    double RealToNormalized(T realValue) const override
    {
        const T constrained = this->ConstrainRealValue(realValue);
        return (static_cast<double>(constrained) - static_cast<double>(mMinValue)) /
               (static_cast<double>(mMaxValue) - static_cast<double>(mMinValue));
    }

private:
    T mMinValue;
    T mMaxValue;
};
