#pragma once

#include "AAX_IACFController.h"
#include "AAX_IController.h"
#include "ACFPtr.h"

// Forwards AAX_IController to the host's controller. Operations of version 1 answer
// kResultNullObject when the host offers no controller, those of version 2 answer
// kResultUnimplemented when it offers only version 1; nothing throws.
class AAX_VController : public AAX_IController
{
public:
    // Queries host (borrowed, may be null) for both versions; keeps only what it gets.
    explicit AAX_VController(IACFUnknown* host);
    ~AAX_VController() override = default;

    AAX_VController(const AAX_VController&) = delete;
    AAX_VController& operator=(const AAX_VController&) = delete;

    AAX_Result GetEffectID(AAX_IString* outEffectID) const override;
    AAX_Result GetSampleRate(AAX_CSampleRate* outSampleRate) const override;
    AAX_Result GetInputStemFormat(AAX_EStemFormat* outStemFormat) const override;
    AAX_Result GetOutputStemFormat(AAX_EStemFormat* outStemFormat) const override;
    AAX_Result GetSignalLatency(int32* outSamples) const override;
    AAX_Result GetCycleCount(AAX_EProperty whichCycleCount, int32* outNumCycles) const override;
    AAX_Result GetTODLocation(int64* outTODLocation) const override;
    AAX_Result SetSignalLatency(int32 numSamples) override;
    AAX_Result SetCycleCount(AAX_EProperty* whichCycleCounts, int32* values,
                             int32 numValues) override;
    AAX_Result PostPacket(AAX_CFieldIndex fieldIndex, const void* payload,
                          uint32 payloadSize) override;
    AAX_Result SendNotification(AAX_CTypeID notificationType, const void* data,
                                uint32 dataSize) override;
    AAX_Result GetCurrentMeterValue(AAX_CTypeID meterID, float* outValue) const override;
    AAX_Result GetMeterPeakValue(AAX_CTypeID meterID, float* outValue) const override;
    AAX_Result ClearMeterPeakValue(AAX_CTypeID meterID) const override;
    AAX_Result GetMeterCount(uint32* outMeterCount) const override;
    AAX_Result GetMeterClipped(AAX_CTypeID meterID, AAX_CBoolean* outClipped) const override;
    AAX_Result ClearMeterClipped(AAX_CTypeID meterID) const override;
    AAX_Result GetNextMIDIPacket(AAX_CFieldIndex* outPort, AAX_CMidiPacket* outPacket) override;
    AAX_Result GetHybridSignalLatency(int32* outSamples) const override;
    // Without version 2 the time stamp is also set to 0.
    AAX_Result GetCurrentAutomationTimestamp(AAX_CTransportCounter* outTimestamp) const override;
    AAX_Result GetHostName(AAX_IString* outHostName) const override;

private:
    // Declared in this order so that version 2 is released first.
    ACFPtr<AAX_IACFController> mIController;
    ACFPtr<AAX_IACFController_V2> mIControllerV2;
};
