#pragma once

#include "AAX.h"
#include "AAX_UIDs.h"

class AAX_IString;
class AAX_IParameter;

// The effect-parameters component as the host sees it, version 1: parameters by identifier,
// normalized values, state chunks, notifications and coefficients. Implemented by the
// plug-in; the host creates it, holds it counted and calls it on its own threads. Strings
// and out pointers belong to the caller; the component writes them during the call only.
class AAX_IACFEffectParameters : public IACFUnknown
{
public:
    // host: the host object the component queries for the services it needs (borrowed).
    virtual AAX_Result Initialize(IACFUnknown* host) = 0;
    virtual AAX_Result Uninitialize() = 0;
    virtual AAX_Result NotificationReceived(AAX_CTypeID notificationType, const void* data,
                                            uint32 dataSize) = 0;

    virtual AAX_Result GetNumberOfParameters(int32* outNumParameters) const = 0;
    virtual AAX_Result GetMasterBypassParameter(AAX_IString* outIdentifier) const = 0;
    virtual AAX_Result GetParameterIsAutomatable(AAX_CParamID identifier,
                                                 AAX_CBoolean* outAutomatable) const = 0;
    virtual AAX_Result GetParameterNumberOfSteps(AAX_CParamID identifier,
                                                 int32* outNumSteps) const = 0;
    virtual AAX_Result GetParameterName(AAX_CParamID identifier, AAX_IString* outName) const = 0;
    virtual AAX_Result GetParameterNameOfLength(AAX_CParamID identifier, AAX_IString* outName,
                                                int32 maxLength) const = 0;
    virtual AAX_Result GetParameterDefaultNormalizedValue(AAX_CParamID identifier,
                                                          double* outValue) const = 0;
    virtual AAX_Result SetParameterDefaultNormalizedValue(AAX_CParamID identifier,
                                                          double value) = 0;
    virtual AAX_Result GetParameterType(AAX_CParamID identifier,
                                        AAX_EParameterType* outType) const = 0;
    virtual AAX_Result GetParameterOrientation(AAX_CParamID identifier,
                                               AAX_EParameterOrientation* outOrientation) const = 0;
    // The parameter object stays owned by the component.
    virtual AAX_Result GetParameter(AAX_CParamID identifier, AAX_IParameter** outParameter) = 0;
    virtual AAX_Result GetParameterIndex(AAX_CParamID identifier, int32* outIndex) const = 0;
    virtual AAX_Result GetParameterIDFromIndex(int32 index, AAX_IString* outIdentifier) const = 0;
    virtual AAX_Result GetParameterValueInfo(AAX_CParamID identifier, int32 selector,
                                             int32* outValue) const = 0;
    virtual AAX_Result GetParameterValueFromString(AAX_CParamID identifier, double* outValue,
                                                   const AAX_IString& valueString) const = 0;
    virtual AAX_Result GetParameterStringFromValue(AAX_CParamID identifier, double value,
                                                   AAX_IString* outValueString,
                                                   int32 maxLength) const = 0;
    virtual AAX_Result GetParameterValueString(AAX_CParamID identifier, AAX_IString* outValueString,
                                               int32 maxLength) const = 0;
    virtual AAX_Result GetParameterNormalizedValue(AAX_CParamID identifier,
                                                   double* outValue) const = 0;
    // A request: the value changes when the host answers with UpdateParameterNormalizedValue.
    virtual AAX_Result SetParameterNormalizedValue(AAX_CParamID identifier, double value) = 0;
    virtual AAX_Result SetParameterNormalizedRelative(AAX_CParamID identifier, double delta) = 0;
    virtual AAX_Result TouchParameter(AAX_CParamID identifier) = 0;
    virtual AAX_Result ReleaseParameter(AAX_CParamID identifier) = 0;
    virtual AAX_Result UpdateParameterTouch(AAX_CParamID identifier, AAX_CBoolean touchState) = 0;
    // The host confirms a value: the single path by which values change.
    virtual AAX_Result UpdateParameterNormalizedValue(AAX_CParamID identifier, double value,
                                                      AAX_EUpdateSource source) = 0;
    virtual AAX_Result UpdateParameterNormalizedRelative(AAX_CParamID identifier, double delta) = 0;
    virtual AAX_Result GenerateCoefficients() = 0;
    virtual AAX_Result ResetFieldData(AAX_CFieldIndex fieldIndex, void* data,
                                      uint32 dataSize) const = 0;

    virtual AAX_Result GetNumberOfChunks(int32* outNumChunks) const = 0;
    virtual AAX_Result GetChunkIDFromIndex(int32 index, AAX_CTypeID* outChunkID) const = 0;
    virtual AAX_Result GetChunkSize(AAX_CTypeID chunkID, uint32* outSize) = 0;
    // chunk: a host record with room for the size last reported by GetChunkSize.
    virtual AAX_Result GetChunk(AAX_CTypeID chunkID, AAX_SPlugInChunk* chunk) = 0;
    virtual AAX_Result SetChunk(AAX_CTypeID chunkID, const AAX_SPlugInChunk* chunk) = 0;
    virtual AAX_Result CompareActiveChunk(const AAX_SPlugInChunk* chunk,
                                          AAX_CBoolean* outIsEqual) = 0;
    virtual AAX_Result GetNumberOfChanges(int32* outNumChanges) const = 0;

    virtual AAX_Result TimerWakeup() = 0;
    virtual AAX_Result GetCurveData(AAX_CTypeID curveType, const float* values, uint32 numValues,
                                    float* outValues) const = 0;
    virtual AAX_Result GetCustomData(AAX_CTypeID dataBlockID, uint32 dataSize, void* outData,
                                     uint32* outDataSize) const = 0;
    virtual AAX_Result SetCustomData(AAX_CTypeID dataBlockID, uint32 dataSize,
                                     const void* data) = 0;
    virtual AAX_Result DoMIDITransfers() = 0;

protected:
    ~AAX_IACFEffectParameters() = default;
};

// Version 2 adds the hybrid render path and MIDI nodes.
class AAX_IACFEffectParameters_V2 : public AAX_IACFEffectParameters
{
public:
    virtual AAX_Result RenderAudio_Hybrid(AAX_SHybridRenderInfo* renderInfo) = 0;
    virtual AAX_Result UpdateMIDINodes(AAX_CFieldIndex fieldIndex, AAX_CMidiPacket& packet) = 0;
    virtual AAX_Result UpdateControlMIDINodes(AAX_CTypeID nodeID, AAX_CMidiPacket& packet) = 0;

protected:
    ~AAX_IACFEffectParameters_V2() = default;
};

// Version 3 adds the meters and display range of curve data.
class AAX_IACFEffectParameters_V3 : public AAX_IACFEffectParameters_V2
{
public:
    virtual AAX_Result GetCurveDataMeterIds(AAX_CTypeID curveType, uint32* outXMeterID,
                                            uint32* outYMeterID) const = 0;
    virtual AAX_Result GetCurveDataDisplayRange(AAX_CTypeID curveType, float* outXMin,
                                                float* outXMax, float* outYMin,
                                                float* outYMax) const = 0;

protected:
    ~AAX_IACFEffectParameters_V3() = default;
};
