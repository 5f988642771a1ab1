#pragma once

#include "AAX.h"

class AAX_IString;

// The plug-in's view of the host's per-instance controller: sample rate, stem formats,
// latency, packets, meters, notifications and the host name. Not reference counted: the
// component that makes it owns it. Every operation returns a result code.
class AAX_IController
{
public:
    virtual ~AAX_IController() = default;

    virtual AAX_Result GetEffectID(AAX_IString* outEffectID) const = 0;
    virtual AAX_Result GetSampleRate(AAX_CSampleRate* outSampleRate) const = 0;
    virtual AAX_Result GetInputStemFormat(AAX_EStemFormat* outStemFormat) const = 0;
    virtual AAX_Result GetOutputStemFormat(AAX_EStemFormat* outStemFormat) const = 0;
    virtual AAX_Result GetSignalLatency(int32* outSamples) const = 0;
    virtual AAX_Result GetCycleCount(AAX_EProperty whichCycleCount, int32* outNumCycles) const = 0;
    virtual AAX_Result GetTODLocation(int64* outTODLocation) const = 0;
    virtual AAX_Result SetSignalLatency(int32 numSamples) = 0;
    virtual AAX_Result SetCycleCount(AAX_EProperty* whichCycleCounts, int32* values,
                                     int32 numValues) = 0;
    // payload: size bytes, copied by the host during the call.
    virtual AAX_Result PostPacket(AAX_CFieldIndex fieldIndex, const void* payload,
                                  uint32 payloadSize) = 0;
    virtual AAX_Result SendNotification(AAX_CTypeID notificationType, const void* data,
                                        uint32 dataSize) = 0;
    virtual AAX_Result GetCurrentMeterValue(AAX_CTypeID meterID, float* outValue) const = 0;
    virtual AAX_Result GetMeterPeakValue(AAX_CTypeID meterID, float* outValue) const = 0;
    virtual AAX_Result ClearMeterPeakValue(AAX_CTypeID meterID) const = 0;
    virtual AAX_Result GetMeterCount(uint32* outMeterCount) const = 0;
    virtual AAX_Result GetMeterClipped(AAX_CTypeID meterID, AAX_CBoolean* outClipped) const = 0;
    virtual AAX_Result ClearMeterClipped(AAX_CTypeID meterID) const = 0;
    virtual AAX_Result GetNextMIDIPacket(AAX_CFieldIndex* outPort, AAX_CMidiPacket* outPacket) = 0;
    virtual AAX_Result GetHybridSignalLatency(int32* outSamples) const = 0;
    virtual AAX_Result GetCurrentAutomationTimestamp(AAX_CTransportCounter* outTimestamp) const = 0;
    virtual AAX_Result GetHostName(AAX_IString* outHostName) const = 0;
};
