#pragma once

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "AAX_Errors.h"
#include "AAX_IACFEffectParameters.h"

namespace orv::test
{

// A stand-in for the host's effect-parameters interface in unit tests of the offline
// processor: values by identifier, kept in single precision as the plug-in's float
// parameters keep them, and a log of every set request. Set requests apply at once. Lives
// on the test's stack; the reference count is tracked but never deletes.
class FakeEffectParameters : public AAX_IACFEffectParameters
{
public:
    void Define(const std::string& id, double value) { mValues[id] = static_cast<float>(value); }
    double Value(const std::string& id) const { return mValues.at(id); }
    const std::vector<std::pair<std::string, double>>& SetRequests() const { return mSets; }
    int32 RefCount() const { return mCount; }

    AAX_Result QueryInterface(const _acfUID& iid, void** out) override
    {
        if (!out) return kResultNullArgument;
        *out = nullptr;
        if (iid != IID_IAAXEffectParametersV1 && iid != IID_IACFUnknown) return kResultNoInterface;
        AddRef();
        *out = static_cast<AAX_IACFEffectParameters*>(this);
        return kResultSuccess;
    }
    acfUInt32 AddRef() override { return static_cast<acfUInt32>(++mCount); }
    acfUInt32 Release() override { return static_cast<acfUInt32>(--mCount); }

    AAX_Result GetParameterNormalizedValue(AAX_CParamID id, double* out) const override
    {
        const auto found = mValues.find(id);
        if (found == mValues.end()) return kResultInvalidParameterId;
        *out = found->second;
        return kResultSuccess;
    }
    AAX_Result SetParameterNormalizedValue(AAX_CParamID id, double value) override
    {
        mSets.emplace_back(id, value);
        if (mValues.count(id) == 0) return kResultInvalidParameterId;
        mValues[id] = static_cast<float>(value);
        return kResultSuccess;
    }

    AAX_Result Initialize(IACFUnknown*) override { return kResultUnimplemented; }
    AAX_Result Uninitialize() override { return kResultUnimplemented; }
    AAX_Result NotificationReceived(AAX_CTypeID, const void*, uint32) override
    {
        return kResultUnimplemented;
    }
    AAX_Result GetNumberOfParameters(int32*) const override { return kResultUnimplemented; }
    AAX_Result GetMasterBypassParameter(AAX_IString*) const override
    {
        return kResultUnimplemented;
    }
    AAX_Result GetParameterIsAutomatable(AAX_CParamID, AAX_CBoolean*) const override
    {
        return kResultUnimplemented;
    }
    AAX_Result GetParameterNumberOfSteps(AAX_CParamID, int32*) const override
    {
        return kResultUnimplemented;
    }
    AAX_Result GetParameterName(AAX_CParamID, AAX_IString*) const override
    {
        return kResultUnimplemented;
    }
    AAX_Result GetParameterNameOfLength(AAX_CParamID, AAX_IString*, int32) const override
    {
        return kResultUnimplemented;
    }
    AAX_Result GetParameterDefaultNormalizedValue(AAX_CParamID, double*) const override
    {
        return kResultUnimplemented;
    }
    AAX_Result SetParameterDefaultNormalizedValue(AAX_CParamID, double) override
    {
        return kResultUnimplemented;
    }
    AAX_Result GetParameterType(AAX_CParamID, AAX_EParameterType*) const override
    {
        return kResultUnimplemented;
    }
    AAX_Result GetParameterOrientation(AAX_CParamID, AAX_EParameterOrientation*) const override
    {
        return kResultUnimplemented;
    }
    AAX_Result GetParameter(AAX_CParamID, AAX_IParameter**) override
    {
        return kResultUnimplemented;
    }
    AAX_Result GetParameterIndex(AAX_CParamID, int32*) const override
    {
        return kResultUnimplemented;
    }
    AAX_Result GetParameterIDFromIndex(int32, AAX_IString*) const override
    {
        return kResultUnimplemented;
    }
    AAX_Result GetParameterValueInfo(AAX_CParamID, int32, int32*) const override
    {
        return kResultUnimplemented;
    }
    AAX_Result GetParameterValueFromString(AAX_CParamID, double*, const AAX_IString&) const override
    {
        return kResultUnimplemented;
    }
    AAX_Result GetParameterStringFromValue(AAX_CParamID, double, AAX_IString*, int32) const override
    {
        return kResultUnimplemented;
    }
    AAX_Result GetParameterValueString(AAX_CParamID, AAX_IString*, int32) const override
    {
        return kResultUnimplemented;
    }
    AAX_Result SetParameterNormalizedRelative(AAX_CParamID, double) override
    {
        return kResultUnimplemented;
    }
    AAX_Result TouchParameter(AAX_CParamID) override { return kResultUnimplemented; }
    AAX_Result ReleaseParameter(AAX_CParamID) override { return kResultUnimplemented; }
    AAX_Result UpdateParameterTouch(AAX_CParamID, AAX_CBoolean) override
    {
        return kResultUnimplemented;
    }
    AAX_Result UpdateParameterNormalizedValue(AAX_CParamID, double, AAX_EUpdateSource) override
    {
        return kResultUnimplemented;
    }
    AAX_Result UpdateParameterNormalizedRelative(AAX_CParamID, double) override
    {
        return kResultUnimplemented;
    }
    AAX_Result GenerateCoefficients() override { return kResultUnimplemented; }
    AAX_Result ResetFieldData(AAX_CFieldIndex, void*, uint32) const override
    {
        return kResultUnimplemented;
    }
    AAX_Result GetNumberOfChunks(int32*) const override { return kResultUnimplemented; }
    AAX_Result GetChunkIDFromIndex(int32, AAX_CTypeID*) const override
    {
        return kResultUnimplemented;
    }
    AAX_Result GetChunkSize(AAX_CTypeID, uint32*) override { return kResultUnimplemented; }
    AAX_Result GetChunk(AAX_CTypeID, AAX_SPlugInChunk*) override { return kResultUnimplemented; }
    AAX_Result SetChunk(AAX_CTypeID, const AAX_SPlugInChunk*) override
    {
        return kResultUnimplemented;
    }
    AAX_Result CompareActiveChunk(const AAX_SPlugInChunk*, AAX_CBoolean*) override
    {
        return kResultUnimplemented;
    }
    AAX_Result GetNumberOfChanges(int32*) const override { return kResultUnimplemented; }
    AAX_Result TimerWakeup() override { return kResultUnimplemented; }
    AAX_Result GetCurveData(AAX_CTypeID, const float*, uint32, float*) const override
    {
        return kResultUnimplemented;
    }
    AAX_Result GetCustomData(AAX_CTypeID, uint32, void*, uint32*) const override
    {
        return kResultUnimplemented;
    }
    AAX_Result SetCustomData(AAX_CTypeID, uint32, const void*) override
    {
        return kResultUnimplemented;
    }
    AAX_Result DoMIDITransfers() override { return kResultUnimplemented; }

private:
    std::map<std::string, float> mValues;
    std::vector<std::pair<std::string, double>> mSets;
    int32 mCount = 0;
};

} // namespace orv::test
