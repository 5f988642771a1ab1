#pragma once

#include "AAX.h"
#include "AAX_ThreadTags.h"
#include "AAX_UIDs.h"

class AAX_IString;
class AAX_IParameter;

// The effect-parameters component as the host sees it, version 1: parameters by identifier,
// normalized values, state chunks, notifications and coefficients. Implemented by the
// plug-in; the host creates it, holds it counted and calls it on its own threads (tags in
// AAX_ThreadTags.h). Strings and out pointers belong to the caller; the component writes
// them during the call only. Identifiers are borrowed for the call. Every operation returns
// a result code, never throws, and gives kResultNullArgument for a null out pointer (where
// noted otherwise, the note wins) and kResultInvalidParameterId for an unknown identifier.
class AAX_IACFEffectParameters : public IACFUnknown
{
public:
    // [main-thread] Makes the component's host wrappers and parameters from host (borrowed,
    // queried during the call). 0, EffectInit's failure, or kResultUnexpected out of memory.
    virtual AAX_Result Initialize(IACFUnknown* host) = 0;
    // [main-thread] Removes the parameters and the wrappers; 0. Safe to call twice.
    virtual AAX_Result Uninitialize() = 0;
    // [main-thread] data (borrowed, dataSize bytes) is read during the call only; always 0.
    virtual AAX_Result NotificationReceived(AAX_CTypeID notificationType, const void* data,
                                            uint32 dataSize) = 0;

    // [main-thread] Writes the number of parameters; 0.
    virtual AAX_Result GetNumberOfParameters(int32* outNumParameters) const = 0;
    // [main-thread] Writes the bypass identifier, or "" without one; 0.
    virtual AAX_Result GetMasterBypassParameter(AAX_IString* outIdentifier) const = 0;
    // [main-thread] Writes 0, then 1 if the parameter may be automated; 0.
    virtual AAX_Result GetParameterIsAutomatable(AAX_CParamID identifier,
                                                 AAX_CBoolean* outAutomatable) const = 0;
    // [main-thread] Writes the step count; kResultBadStepCount if it does not fit an int32.
    virtual AAX_Result GetParameterNumberOfSteps(AAX_CParamID identifier,
                                                 int32* outNumSteps) const = 0;
    // [main-thread] Writes the full name, "" for an unknown identifier; always 0.
    virtual AAX_Result GetParameterName(AAX_CParamID identifier, AAX_IString* outName) const = 0;
    // [main-thread] Writes the name that fits maxLength characters; "" and 0 for an unknown
    // identifier; kResultConversionFailed for a null outName.
    virtual AAX_Result GetParameterNameOfLength(AAX_CParamID identifier, AAX_IString* outName,
                                                int32 maxLength) const = 0;
    // [main-thread] Writes the default as a normalized value; 0.
    virtual AAX_Result GetParameterDefaultNormalizedValue(AAX_CParamID identifier,
                                                          double* outValue) const = 0;
    // [main-thread] Replaces the default (the value stays); 0.
    virtual AAX_Result SetParameterDefaultNormalizedValue(AAX_CParamID identifier,
                                                          double value) = 0;
    // [main-thread] Writes the parameter's type; 0.
    virtual AAX_Result GetParameterType(AAX_CParamID identifier,
                                        AAX_EParameterType* outType) const = 0;
    // [main-thread] Writes the parameter's orientation; 0.
    virtual AAX_Result GetParameterOrientation(AAX_CParamID identifier,
                                               AAX_EParameterOrientation* outOrientation) const = 0;
    // [main-thread] Writes the parameter object, null if unknown. It stays owned by the
    // component and lives until Uninitialize; the caller must not delete or keep it longer.
    virtual AAX_Result GetParameter(AAX_CParamID identifier, AAX_IParameter** outParameter) = 0;
    // [main-thread] Writes the parameter's index, -1 if unknown.
    virtual AAX_Result GetParameterIndex(AAX_CParamID identifier, int32* outIndex) const = 0;
    // [main-thread] Writes the identifier at index, "" (and kResultInvalidParameterId) for
    // an index out of range.
    virtual AAX_Result GetParameterIDFromIndex(int32 index, AAX_IString* outIdentifier) const = 0;
    // [main-thread] Writes 0; kResultUnimplemented.
    virtual AAX_Result GetParameterValueInfo(AAX_CParamID identifier, int32 selector,
                                             int32* outValue) const = 0;
    // [main-thread] Writes the normalized value the text stands for (valueString borrowed);
    // kResultConversionFailed, and nothing written, when the text is not a value in range.
    virtual AAX_Result GetParameterValueFromString(AAX_CParamID identifier, double* outValue,
                                                   const AAX_IString& valueString) const = 0;
    // [main-thread] Writes the text for value in at most maxLength characters;
    // kResultConversionFailed, and nothing written, when it cannot be shown.
    virtual AAX_Result GetParameterStringFromValue(AAX_CParamID identifier, double value,
                                                   AAX_IString* outValueString,
                                                   int32 maxLength) const = 0;
    // [main-thread] Writes the current value's text; 0.
    virtual AAX_Result GetParameterValueString(AAX_CParamID identifier, AAX_IString* outValueString,
                                               int32 maxLength) const = 0;
    // [any-thread] Writes the current normalized value; 0. The offline pass and the editor
    // read values from their own threads.
    virtual AAX_Result GetParameterNormalizedValue(AAX_CParamID identifier,
                                                   double* outValue) const = 0;
    // [any-thread] A set request through the host's automation: the value changes when the
    // host answers with UpdateParameterNormalizedValue (at once in a host without automation);
    // 0. Called from whichever thread made the change (editor, offline pass, state restore).
    virtual AAX_Result SetParameterNormalizedValue(AAX_CParamID identifier, double value) = 0;
    // [any-thread] A set request for the current value plus delta, clamped to 0..1.
    virtual AAX_Result SetParameterNormalizedRelative(AAX_CParamID identifier, double delta) = 0;
    // [any-thread] Tells the host a gesture on the parameter begins; 0.
    virtual AAX_Result TouchParameter(AAX_CParamID identifier) = 0;
    // [any-thread] Tells the host the gesture ends; 0.
    virtual AAX_Result ReleaseParameter(AAX_CParamID identifier) = 0;
    // [main-thread] The host reports a touch; ignored, 0.
    virtual AAX_Result UpdateParameterTouch(AAX_CParamID identifier, AAX_CBoolean touchState) = 0;
    // [main-thread] The host confirms a value: the single path by which values change. Marks
    // the parameter's packet for the next GenerateCoefficients, which may run on another
    // thread at the same time (validator check: threads); 0.
    virtual AAX_Result UpdateParameterNormalizedValue(AAX_CParamID identifier, double value,
                                                      AAX_EUpdateSource source) = 0;
    // [main-thread] UpdateParameterNormalizedValue with the current value plus delta, clamped.
    virtual AAX_Result UpdateParameterNormalizedRelative(AAX_CParamID identifier, double delta) = 0;
    // [thread-safe] Posts every packet marked since the last call through the host's
    // controller; runs on the host's processing thread while [main-thread] updates arrive
    // (validator check: threads). The result of the last post, 0 when none was due.
    virtual AAX_Result GenerateCoefficients() = 0;
    // [any-thread] Zeroes dataSize bytes of data (the host's block, written during the call).
    virtual AAX_Result ResetFieldData(AAX_CFieldIndex fieldIndex, void* data,
                                      uint32 dataSize) const = 0;

    // [main-thread] Writes 1: the state chunk is the only one; 0.
    virtual AAX_Result GetNumberOfChunks(int32* outNumChunks) const = 0;
    // [main-thread] Writes the chunk ID of index 0; 0 written and kResultBadChunkIndex else.
    virtual AAX_Result GetChunkIDFromIndex(int32 index, AAX_CTypeID* outChunkID) const = 0;
    // [main-thread] Writes the state chunk's data size; kResultBadChunkId (size 0) for
    // another ID. The four chunk operations must not overlap on one instance.
    virtual AAX_Result GetChunkSize(AAX_CTypeID chunkID, uint32* outSize) = 0;
    // [main-thread] Fills chunk, a host record with room for the size last reported by
    // GetChunkSize (written during the call only); kResultBadChunkSize if that size changed.
    virtual AAX_Result GetChunk(AAX_CTypeID chunkID, AAX_SPlugInChunk* chunk) = 0;
    // [main-thread] Restores the values chunk holds (borrowed, read during the call) as set
    // requests; 0 also for damaged data, whose stopping point goes to the host's trace.
    virtual AAX_Result SetChunk(AAX_CTypeID chunkID, const AAX_SPlugInChunk* chunk) = 0;
    // [main-thread] Writes 1 when chunk (borrowed) holds the current values, else 0; 0.
    virtual AAX_Result CompareActiveChunk(const AAX_SPlugInChunk* chunk,
                                          AAX_CBoolean* outIsEqual) = 0;
    // [main-thread] Writes the number of updates received so far; 0.
    virtual AAX_Result GetNumberOfChanges(int32* outNumChanges) const = 0;

    // [main-thread] The host's periodic tick; nothing to do, 0.
    virtual AAX_Result TimerWakeup() = 0;
    // [main-thread] No curves: outValues untouched, kResultUnimplemented.
    virtual AAX_Result GetCurveData(AAX_CTypeID curveType, const float* values, uint32 numValues,
                                    float* outValues) const = 0;
    // [main-thread] Copies the block into outData (caller's, dataSize bytes) and its size
    // into outDataSize; kResultUnknownCustomData for a block the plug-in does not know.
    virtual AAX_Result GetCustomData(AAX_CTypeID dataBlockID, uint32 dataSize, void* outData,
                                     uint32* outDataSize) const = 0;
    // [main-thread] Takes a copy of data (borrowed, dataSize bytes); result as GetCustomData.
    virtual AAX_Result SetCustomData(AAX_CTypeID dataBlockID, uint32 dataSize,
                                     const void* data) = 0;
    // [main-thread] No MIDI; 0.
    virtual AAX_Result DoMIDITransfers() = 0;

protected:
    ~AAX_IACFEffectParameters() = default;
};

// Version 2 adds the hybrid render path and MIDI nodes.
class AAX_IACFEffectParameters_V2 : public AAX_IACFEffectParameters
{
public:
    // [any-thread] No hybrid rendering: renderInfo untouched, kResultUnimplemented.
    virtual AAX_Result RenderAudio_Hybrid(AAX_SHybridRenderInfo* renderInfo) = 0;
    // [main-thread] No MIDI nodes; packet (the host's) untouched, 0.
    virtual AAX_Result UpdateMIDINodes(AAX_CFieldIndex fieldIndex, AAX_CMidiPacket& packet) = 0;
    // [main-thread] No MIDI nodes; packet (the host's) untouched, 0.
    virtual AAX_Result UpdateControlMIDINodes(AAX_CTypeID nodeID, AAX_CMidiPacket& packet) = 0;

protected:
    ~AAX_IACFEffectParameters_V2() = default;
};

// Version 3 adds the meters and display range of curve data.
class AAX_IACFEffectParameters_V3 : public AAX_IACFEffectParameters_V2
{
public:
    // [main-thread] No curves: outputs untouched, kResultUnimplemented.
    virtual AAX_Result GetCurveDataMeterIds(AAX_CTypeID curveType, uint32* outXMeterID,
                                            uint32* outYMeterID) const = 0;
    // [main-thread] No curves: outputs untouched, kResultUnimplemented.
    virtual AAX_Result GetCurveDataDisplayRange(AAX_CTypeID curveType, float* outXMin,
                                                float* outXMax, float* outYMin,
                                                float* outYMax) const = 0;

protected:
    ~AAX_IACFEffectParameters_V3() = default;
};
