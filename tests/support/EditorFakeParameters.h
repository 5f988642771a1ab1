#pragma once

#include <map>
#include <string>
#include <vector>

#include "AAX_CString.h"
#include "FakeEffectParameters.h"

namespace orv::test
{

// The effect-parameters stand-in for editor tests: parameters in definition order with
// defaults, listed by index, and a log of touch and release calls beside the set requests.
class EditorFakeParameters : public FakeEffectParameters
{
public:
    void DefineParameter(const std::string& id, double value, double defaultValue = 0.0)
    {
        if (mDefaults.count(id) == 0) mOrder.push_back(id);
        Define(id, value);
        mDefaults[id] = defaultValue;
    }
    const std::vector<std::string>& Touches() const { return mTouches; }
    const std::vector<std::string>& Releases() const { return mReleases; }
    double DefaultValue(const std::string& id) const { return mDefaults.at(id); }

    AAX_Result GetNumberOfParameters(int32* out) const override
    {
        if (!out) return kResultNullArgument;
        *out = static_cast<int32>(mOrder.size());
        return kResultSuccess;
    }
    AAX_Result GetParameterIDFromIndex(int32 index, AAX_IString* out) const override
    {
        if (!out || index < 0 || index >= static_cast<int32>(mOrder.size()))
            return kResultInvalidParameterId;
        out->Set(mOrder[static_cast<size_t>(index)].c_str());
        return kResultSuccess;
    }
    AAX_Result GetParameterDefaultNormalizedValue(AAX_CParamID id, double* out) const override
    {
        const auto found = mDefaults.find(id);
        if (found == mDefaults.end()) return kResultInvalidParameterId;
        *out = found->second;
        return kResultSuccess;
    }
    AAX_Result SetParameterDefaultNormalizedValue(AAX_CParamID id, double value) override
    {
        if (mDefaults.count(id) == 0) return kResultInvalidParameterId;
        mDefaults[id] = value;
        return kResultSuccess;
    }
    AAX_Result TouchParameter(AAX_CParamID id) override
    {
        mTouches.emplace_back(id);
        return kResultSuccess;
    }
    AAX_Result ReleaseParameter(AAX_CParamID id) override
    {
        mReleases.emplace_back(id);
        return kResultSuccess;
    }

private:
    std::vector<std::string> mOrder;
    std::map<std::string, double> mDefaults;
    std::vector<std::string> mTouches;
    std::vector<std::string> mReleases;
};

} // namespace orv::test
