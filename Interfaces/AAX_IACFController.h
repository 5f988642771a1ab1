#pragma once

#include "AAX.h"
#include "AAX_ThreadTags.h"
#include "AAX_UIDs.h"

class AAX_IString;

// The host's per-instance controller, version 1: facts of the host's audio set-up, packets
// and meters. Queried on the host object a component receives in Initialize; the host owns
// it and the plug-in holds it counted. Every operation returns a result code; out pointers
// belong to the caller and are written only during the call.
class AAX_IACFController : public IACFUnknown
{
public:
    // [any-thread] Writes the effect identifier into outEffectID (the caller's).
    virtual AAX_Result GetEffectID(AAX_IString* outEffectID) = 0;
    // [any-thread] Writes the host's current sample rate in hertz; the offline pass and the
    // editor ask from their own threads.
    virtual AAX_Result GetSampleRate(AAX_CSampleRate* outSampleRate) = 0;
    // [any-thread] Writes the input stem format.
    virtual AAX_Result GetInputStemFormat(AAX_EStemFormat* outStemFormat) = 0;
    // [any-thread] Writes the output stem format.
    virtual AAX_Result GetOutputStemFormat(AAX_EStemFormat* outStemFormat) = 0;
    // [any-thread] Writes the latency reported so far, in samples.
    virtual AAX_Result GetSignalLatency(int32* outSamples) = 0;
    // [any-thread] Writes the cycle count the host holds for whichCycleCount.
    virtual AAX_Result GetCycleCount(AAX_EProperty whichCycleCount, int32* outNumCycles) = 0;
    // [any-thread] Writes the time-of-day location.
    virtual AAX_Result GetTODLocation(int64* outTODLocation) = 0;
    // [main-thread] Reports the plug-in's latency in samples.
    virtual AAX_Result SetSignalLatency(int32 numSamples) = 0;
    // [main-thread] Reports numValues cycle counts (both arrays the caller's, read during the
    // call).
    virtual AAX_Result SetCycleCount(AAX_EProperty* whichCycleCounts, int32* values,
                                     int32 numValues) = 0;
    // [thread-safe] Hands the host payloadSize bytes for fieldIndex; the host copies them
    // during the call. Called from GenerateCoefficients, on the host's processing thread
    // (validator check: threads).
    virtual AAX_Result PostPacket(AAX_CFieldIndex fieldIndex, const void* payload,
                                  uint32 payloadSize) = 0;
    // [any-thread] Writes the meter's current value.
    virtual AAX_Result GetCurrentMeterValue(AAX_CTypeID meterID, float* outValue) = 0;
    // [any-thread] Writes the meter's peak.
    virtual AAX_Result GetMeterPeakValue(AAX_CTypeID meterID, float* outValue) = 0;
    // [any-thread] Clears the meter's peak.
    virtual AAX_Result ClearMeterPeakValue(AAX_CTypeID meterID) = 0;
    // [any-thread] Writes the number of meters.
    virtual AAX_Result GetMeterCount(uint32* outMeterCount) = 0;
    // [any-thread] Writes 1 when the meter clipped, else 0.
    virtual AAX_Result GetMeterClipped(AAX_CTypeID meterID, AAX_CBoolean* outClipped) = 0;
    // [any-thread] Clears the meter's clip flag.
    virtual AAX_Result ClearMeterClipped(AAX_CTypeID meterID) = 0;
    // [any-thread] Writes the next MIDI packet and its port, if one is waiting.
    virtual AAX_Result GetNextMIDIPacket(AAX_CFieldIndex* outPort, AAX_CMidiPacket* outPacket) = 0;

protected:
    ~AAX_IACFController() = default;
};

// Version 2 adds notifications, hybrid latency, the automation time stamp and the host name.
class AAX_IACFController_V2 : public AAX_IACFController
{
public:
    // [main-thread] Hands the host dataSize bytes of a notification; the host copies them
    // during the call.
    virtual AAX_Result SendNotification(AAX_CTypeID notificationType, const void* data,
                                        uint32 dataSize) = 0;
    // [any-thread] Writes the hybrid latency in samples.
    virtual AAX_Result GetHybridSignalLatency(int32* outSamples) = 0;
    // [any-thread] Writes the time stamp of the automation now applied.
    virtual AAX_Result GetCurrentAutomationTimestamp(AAX_CTransportCounter* outTimestamp) = 0;
    // [any-thread] Writes the host application's name into outHostName (the caller's).
    virtual AAX_Result GetHostName(AAX_IString* outHostName) = 0;

protected:
    ~AAX_IACFController_V2() = default;
};
