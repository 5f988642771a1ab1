#pragma once

#include <memory>
#include <set>
#include <string>

#include "AAX_CChunkDataParser.h"
#include "AAX_CPacketDispatcher.h"
#include "AAX_CParameterManager.h"
#include "AAX_IEffectParameters.h"

class AAX_IController;
class AAX_ITransport;
class AAX_VAutomationDelegate;
class AAX_VController;
class AAX_VTransport;

// The master bypass parameter's identifier, left out of the state chunk.
inline constexpr const char* cDefaultMasterBypassID = "MasterBypassID";
// A switch parameter that an 'ASPv' notification sets, when the plug-in has one.
inline constexpr const char* cPreviewID = "PreviewID";
// The preview notification type.
inline constexpr AAX_CTypeID AAX_eNotificationEvent_ASPreviewState = 0x41535076; // 'ASPv'
// The one state chunk: its ID and its name.
inline constexpr AAX_CTypeID cControlsChunkID = 0x656C636B; // 'elck'
inline constexpr const char* CONTROLS_CHUNK_DESCRIPTION = "Complete Controls State";

// The effect-parameters component behind the host interface: it owns the parameter manager,
// the packet dispatcher, the chunk parser, the identifiers left out of the state chunk and the
// host-service wrappers (from Initialize to Uninitialize). The plug-in derives from it and
// adds its parameters and packets in EffectInit. Host calls arrive on host threads; the
// component has no lock of its own (the dispatcher guards the packets), and the four chunk
// operations must not run concurrently on one instance. Out pointers that are null give
// kResultNullArgument.
class AAX_CEffectParameters : public AAX_IEffectParameters
{
public:
    AAX_CEffectParameters();
    ~AAX_CEffectParameters() override;

    AAX_CEffectParameters(const AAX_CEffectParameters&) = delete;
    AAX_CEffectParameters& operator=(const AAX_CEffectParameters&) = delete;

    // Lifecycle. host: the host object (borrowed) from which the wrappers are made.
    AAX_Result Initialize(IACFUnknown* host) override;
    AAX_Result Uninitialize() override;
    AAX_Result NotificationReceived(AAX_CTypeID notificationType, const void* data,
                                    uint32 dataSize) override;

    // Parameter queries and changes, by identifier.
    AAX_Result GetNumberOfParameters(int32* outNumParameters) const override;
    AAX_Result GetMasterBypassParameter(AAX_IString* outIdentifier) const override;
    AAX_Result GetParameterIsAutomatable(AAX_CParamID identifier,
                                         AAX_CBoolean* outAutomatable) const override;
    AAX_Result GetParameterNumberOfSteps(AAX_CParamID identifier,
                                         int32* outNumSteps) const override;
    AAX_Result GetParameterName(AAX_CParamID identifier, AAX_IString* outName) const override;
    AAX_Result GetParameterNameOfLength(AAX_CParamID identifier, AAX_IString* outName,
                                        int32 maxLength) const override;
    AAX_Result GetParameterDefaultNormalizedValue(AAX_CParamID identifier,
                                                  double* outValue) const override;
    AAX_Result SetParameterDefaultNormalizedValue(AAX_CParamID identifier, double value) override;
    AAX_Result GetParameterType(AAX_CParamID identifier,
                                AAX_EParameterType* outType) const override;
    AAX_Result GetParameterOrientation(AAX_CParamID identifier,
                                       AAX_EParameterOrientation* outOrientation) const override;
    AAX_Result GetParameter(AAX_CParamID identifier, AAX_IParameter** outParameter) override;
    AAX_Result GetParameterIndex(AAX_CParamID identifier, int32* outIndex) const override;
    AAX_Result GetParameterIDFromIndex(int32 index, AAX_IString* outIdentifier) const override;
    AAX_Result GetParameterValueInfo(AAX_CParamID identifier, int32 selector,
                                     int32* outValue) const override;
    AAX_Result GetParameterValueFromString(AAX_CParamID identifier, double* outValue,
                                           const AAX_IString& valueString) const override;
    AAX_Result GetParameterStringFromValue(AAX_CParamID identifier, double value,
                                           AAX_IString* outValueString,
                                           int32 maxLength) const override;
    AAX_Result GetParameterValueString(AAX_CParamID identifier, AAX_IString* outValueString,
                                       int32 maxLength) const override;
    AAX_Result GetParameterNormalizedValue(AAX_CParamID identifier,
                                           double* outValue) const override;
    AAX_Result SetParameterNormalizedValue(AAX_CParamID identifier, double value) override;
    AAX_Result SetParameterNormalizedRelative(AAX_CParamID identifier, double delta) override;
    AAX_Result TouchParameter(AAX_CParamID identifier) override;
    AAX_Result ReleaseParameter(AAX_CParamID identifier) override;
    AAX_Result UpdateParameterTouch(AAX_CParamID identifier, AAX_CBoolean touchState) override;
    AAX_Result UpdateParameterNormalizedValue(AAX_CParamID identifier, double value,
                                              AAX_EUpdateSource source) override;
    AAX_Result UpdateParameterNormalizedRelative(AAX_CParamID identifier, double delta) override;
    AAX_Result GenerateCoefficients() override;
    AAX_Result ResetFieldData(AAX_CFieldIndex fieldIndex, void* data,
                              uint32 dataSize) const override;

    // State chunk.
    AAX_Result GetNumberOfChunks(int32* outNumChunks) const override;
    AAX_Result GetChunkIDFromIndex(int32 index, AAX_CTypeID* outChunkID) const override;
    AAX_Result GetChunkSize(AAX_CTypeID chunkID, uint32* outSize) override;
    AAX_Result GetChunk(AAX_CTypeID chunkID, AAX_SPlugInChunk* chunk) override;
    AAX_Result SetChunk(AAX_CTypeID chunkID, const AAX_SPlugInChunk* chunk) override;
    AAX_Result CompareActiveChunk(const AAX_SPlugInChunk* chunk, AAX_CBoolean* outIsEqual) override;
    AAX_Result GetNumberOfChanges(int32* outNumChanges) const override;

    // The rest.
    AAX_Result TimerWakeup() override;
    AAX_Result GetCurveData(AAX_CTypeID curveType, const float* values, uint32 numValues,
                            float* outValues) const override;
    AAX_Result GetCustomData(AAX_CTypeID dataBlockID, uint32 dataSize, void* outData,
                             uint32* outDataSize) const override;
    AAX_Result SetCustomData(AAX_CTypeID dataBlockID, uint32 dataSize, const void* data) override;
    AAX_Result DoMIDITransfers() override;
    AAX_Result RenderAudio_Hybrid(AAX_SHybridRenderInfo* renderInfo) override;
    AAX_Result UpdateMIDINodes(AAX_CFieldIndex fieldIndex, AAX_CMidiPacket& packet) override;
    AAX_Result UpdateControlMIDINodes(AAX_CTypeID nodeID, AAX_CMidiPacket& packet) override;
    AAX_Result GetCurveDataMeterIds(AAX_CTypeID curveType, uint32* outXMeterID,
                                    uint32* outYMeterID) const override;
    AAX_Result GetCurveDataDisplayRange(AAX_CTypeID curveType, float* outXMin, float* outXMax,
                                        float* outYMin, float* outYMax) const override;

    // The plug-in adds its parameters and packets here; called once by Initialize.
    virtual AAX_Result EffectInit();

    // The controller wrapper, null outside Initialize..Uninitialize; owned by this object.
    AAX_IController* Controller();
    const AAX_IController* Controller() const;
    // Leaves the parameter out of the state chunk (save, restore and compare).
    void FilterParameterIDOnSave(AAX_CParamID identifier);
    // Fills the chunk parser with the saved parameters, in index order.
    void BuildChunkData() const;

protected:
    int32 mNumPlugInChanges = 0;
    int32 mChunkSize = 0;
    mutable AAX_CChunkDataParser mChunkParser;
    AAX_CPacketDispatcher mPacketDispatcher;
    AAX_CParameterManager mParameterManager;
    std::set<std::string> mFilteredParameters;
    std::unique_ptr<AAX_VController> mController;
    std::unique_ptr<AAX_VTransport> mTransport;
    std::unique_ptr<AAX_VAutomationDelegate> mAutomationDelegate;

private:
    bool IsFiltered(const AAX_IParameter& parameter) const;
    void DeleteWrappers();
};
