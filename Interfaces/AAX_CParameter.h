#pragma once

#include <iterator>
#include <map>
#include <memory>
#include <type_traits>

#include "AAX_CParameterValue.h"
#include "AAX_CString.h"
#include "AAX_IAutomationDelegate.h"
#include "AAX_IDisplayDelegate.h"
#include "AAX_IParameter.h"
#include "AAX_ITaperDelegate.h"

// The one concrete parameter class, used with T = bool (switches) and T = float (everything
// numeric). Owns copies of its taper and display; borrows the automation delegate, which the
// parameter manager attaches. The stored value always comes from the taper's NormalizedToReal,
// so it lies within the taper's bounds.
template <typename T> class AAX_CParameter : public AAX_IParameter
{
public:
    static constexpr uint32 kDefaultContinuousSteps = 128;
    static constexpr uint32 kDefaultDiscreteSteps = 2;

    // taper and display are copied; the arguments stay the caller's.
    AAX_CParameter(AAX_CParamID identifier, const AAX_IString& name, T defaultValue,
                   const AAX_ITaperDelegate<T>& taper, const AAX_IDisplayDelegate<T>& display,
                   bool automatable)
        : mName(name), mAutomatable(automatable), mTaperDelegate(taper.Clone()),
          mDisplayDelegate(display.Clone()), mValue(identifier, defaultValue),
          mDefaultValue(defaultValue)
    {
        if (mNumSteps == 0)
            SetNumberOfSteps(mType == AAX_eParameterType_Discrete ? kDefaultDiscreteSteps
                                                                  : kDefaultContinuousSteps);
        SetToDefaultValue();
    }

    ~AAX_CParameter() override
    {
        if (mAutomationDelegate) mAutomationDelegate->UnregisterParameter(Identifier());
    }

    AAX_CParameter(const AAX_CParameter&) = delete;
    AAX_CParameter& operator=(const AAX_CParameter&) = delete;

    AAX_IParameterValue* CloneValue() const override { return mValue.Clone(); }
    AAX_CParamID Identifier() const override { return mValue.Identifier(); }
    void SetName(const AAX_CString& name) override { mName = name; }
    const AAX_CString& Name() const override { return mName; }

    void AddShortenedName(const AAX_CString& name) override
    {
        mShortenedNames[name.Length()] = name;
    }

    const AAX_CString& ShortenedName(int32 maxLength) const override
    {
        if (maxLength < 0 || mName.Length() <= static_cast<uint32>(maxLength)) return mName;
        if (mShortenedNames.empty()) return mName;
        auto above = mShortenedNames.upper_bound(static_cast<uint32>(maxLength));
        if (above == mShortenedNames.begin()) return above->second; // all too long: the shortest
        return std::prev(above)->second;
    }

    void ClearShortenedNames() override { mShortenedNames.clear(); }
    bool Automatable() const override { return mAutomatable; }

    void SetAutomationDelegate(AAX_IAutomationDelegate* automationDelegate) override
    {
        if (mAutomationDelegate) mAutomationDelegate->UnregisterParameter(Identifier());
        mAutomationDelegate = automationDelegate;
        if (mAutomationDelegate) mAutomationDelegate->RegisterParameter(Identifier());
    }

    void Touch() override
    {
        if (mAutomationDelegate) mAutomationDelegate->PostTouchRequest(Identifier());
    }

    void Release() override
    {
        if (mAutomationDelegate) mAutomationDelegate->PostReleaseRequest(Identifier());
    }

    void SetNormalizedValue(double normalizedValue) override
    {
        RequestNormalizedValue(
            mTaperDelegate->RealToNormalized(mTaperDelegate->NormalizedToReal(normalizedValue)));
    }

    double GetNormalizedValue() const override
    {
        return mTaperDelegate->RealToNormalized(mValue.Get());
    }

    void SetNormalizedDefaultValue(double normalizedDefault) override
    {
        mDefaultValue =
            mTaperDelegate->ConstrainRealValue(mTaperDelegate->NormalizedToReal(normalizedDefault));
    }

    double GetNormalizedDefaultValue() const override
    {
        return mTaperDelegate->RealToNormalized(mDefaultValue);
    }

    void SetToDefaultValue() override
    {
        RequestNormalizedValue(mTaperDelegate->RealToNormalized(mDefaultValue));
    }

    void SetNumberOfSteps(uint32 numSteps) override
    {
        if (numSteps != 0) mNumSteps = numSteps;
    }

    uint32 GetNumberOfSteps() const override { return mNumSteps; }

    uint32 GetStepValue() const override
    {
        const uint32 numSteps = GetNumberOfSteps();
        if (numSteps < 2) return 0;
        const double lastStep = static_cast<double>(numSteps - 1);
        double step = GetNormalizedValue() / (1.0 / lastStep) + 0.5;
        if (!(step >= 0.0)) return 0;
        if (step > lastStep) step = lastStep;
        return static_cast<uint32>(step);
    }

    void SetStepValue(uint32 step) override
    {
        const uint32 numSteps = GetNumberOfSteps();
        if (numSteps < 2) return;
        double normalized = static_cast<double>(step) * (1.0 / static_cast<double>(numSteps - 1));
        if (normalized > 1.0) normalized = 1.0;
        if (normalized < 0.0) normalized = 0.0;
        SetNormalizedValue(normalized);
    }

    bool GetValueString(AAX_CString* valueString) const override
    {
        return mDisplayDelegate->ValueToString(mValue.Get(), valueString);
    }

    bool GetValueString(int32 /*maxNumChars*/, AAX_CString* valueString) const override
    {
        return GetValueString(valueString);
    }

    bool GetNormalizedValueFromString(const AAX_CString& valueString,
                                      double* normalizedValue) const override
    {
        T value = T();
        if (!mDisplayDelegate->StringToValue(valueString, &value)) return false;
        if (normalizedValue) *normalizedValue = mTaperDelegate->RealToNormalized(value);
        return InRange(value);
    }

    bool GetStringFromNormalizedValue(double normalizedValue,
                                      AAX_CString& valueString) const override
    {
        const T value = mTaperDelegate->NormalizedToReal(normalizedValue);
        if (!mDisplayDelegate->ValueToString(value, &valueString)) return false;
        return InRange(value);
    }

    bool GetStringFromNormalizedValue(double normalizedValue, int32 maxNumChars,
                                      AAX_CString& valueString) const override
    {
        const T value = mTaperDelegate->NormalizedToReal(normalizedValue);
        if (!mDisplayDelegate->ValueToString(value, maxNumChars, &valueString)) return false;
        return InRange(value);
    }

    bool SetValueFromString(const AAX_CString& valueString) override
    {
        T value = T();
        if (!mDisplayDelegate->StringToValue(valueString, &value)) return false;
        RequestNormalizedValue(mTaperDelegate->RealToNormalized(value));
        return true;
    }

    bool GetValueAsBool(bool* value) const override { return mValue.GetValueAsBool(value); }
    bool GetValueAsInt32(int32* value) const override { return mValue.GetValueAsInt32(value); }
    bool GetValueAsFloat(float* value) const override { return mValue.GetValueAsFloat(value); }
    bool GetValueAsDouble(double* value) const override { return mValue.GetValueAsDouble(value); }
    bool GetValueAsString(AAX_IString* value) const override
    {
        return mValue.GetValueAsString(value);
    }

    bool SetValueWithBool(bool value) override { return SetAs(value); }
    bool SetValueWithInt32(int32 value) override { return SetAs(value); }
    bool SetValueWithFloat(float value) override { return SetAs(value); }
    bool SetValueWithDouble(double value) override { return SetAs(value); }
    bool SetValueWithString(const AAX_IString& /*value*/) override { return false; }

    void SetType(AAX_EParameterType type) override { mType = type; }
    AAX_EParameterType GetType() const override { return mType; }
    void SetOrientation(AAX_EParameterOrientation orientation) override
    {
        mOrientation = orientation;
    }
    AAX_EParameterOrientation GetOrientation() const override { return mOrientation; }

    void SetTaperDelegate(AAX_ITaperDelegateBase& taper, bool preserveValue) override
    {
        auto* typedTaper = dynamic_cast<AAX_ITaperDelegate<T>*>(&taper);
        if (!typedTaper) return;
        const double normalized = GetNormalizedValue();
        mTaperDelegate.reset(typedTaper->Clone());
        mNeedNotify = true;
        if (!preserveValue)
        {
            UpdateNormalizedValue(normalized);
            return;
        }
        RequestNormalizedValue(mTaperDelegate->RealToNormalized(mValue.Get()));
    }

    void SetDisplayDelegate(AAX_IDisplayDelegateBase& display) override
    {
        auto* typedDisplay = dynamic_cast<AAX_IDisplayDelegate<T>*>(&display);
        if (!typedDisplay) return;
        mDisplayDelegate.reset(typedDisplay->Clone());
        if (mAutomationDelegate)
            mAutomationDelegate->PostCurrentValue(Identifier(), GetNormalizedValue());
    }

    void UpdateNormalizedValue(double normalizedValue) override
    {
        const T value = mTaperDelegate->NormalizedToReal(normalizedValue);
        if (!mNeedNotify && value == mValue.Get()) return;
        mValue.Set(value);
        if (mAutomationDelegate)
            mAutomationDelegate->PostCurrentValue(Identifier(), normalizedValue);
        mNeedNotify = false;
    }

    // A set request with the real value v (constrained by the taper).
    void SetValue(T value) { RequestNormalizedValue(mTaperDelegate->RealToNormalized(value)); }

    const AAX_ITaperDelegate<T>* TaperDelegate() const { return mTaperDelegate.get(); }
    const AAX_IDisplayDelegate<T>* DisplayDelegate() const { return mDisplayDelegate.get(); }

protected:
    // The one path of every change that starts inside the plug-in: through the host when an
    // automation delegate is attached, at once otherwise.
    void RequestNormalizedValue(double normalizedValue)
    {
        if (mAutomationDelegate)
        {
            Touch();
            mAutomationDelegate->PostSetValueRequest(Identifier(), normalizedValue);
            Release();
            return;
        }
        mNeedNotify = true;
        UpdateNormalizedValue(normalizedValue);
    }

private:
    bool InRange(T value) const
    {
        // False for NaN as well.
        return mTaperDelegate->GetMinimumValue() <= value &&
               value <= mTaperDelegate->GetMaximumValue();
    }

    template <typename U> bool SetAs(U value)
    {
        if constexpr (std::is_same_v<U, T>)
        {
            SetValue(value);
            return true;
        }
        else
        {
            (void)value;
            return false;
        }
    }

    AAX_CString mName;
    std::map<uint32, AAX_CString> mShortenedNames;
    bool mAutomatable;
    uint32 mNumSteps = 0;
    AAX_EParameterType mType = AAX_eParameterType_Continuous;
    AAX_EParameterOrientation mOrientation = 0;
    std::unique_ptr<AAX_ITaperDelegate<T>> mTaperDelegate;
    std::unique_ptr<AAX_IDisplayDelegate<T>> mDisplayDelegate;
    AAX_IAutomationDelegate* mAutomationDelegate = nullptr;
    bool mNeedNotify = true;
    AAX_CParameterValue<T> mValue;
    T mDefaultValue;
};
