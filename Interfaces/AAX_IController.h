#pragma once

#include "AAX.h"
#include "AAX_ThreadTags.h"

class AAX_IString;

// The plug-in's view of the host's per-instance controller: sample rate, stem formats,
// latency, packets, meters, notifications and the host name. Not reference counted: the
// component that makes it owns it. Every operation returns a result code.
class AAX_IController
{
public:
    virtual ~AAX_IController() = default;

    // [any-thread] Writes the effect identifier into outEffectID (the caller's).
    // kResultNullObject without the host interface.
    virtual AAX_Result GetEffectID(AAX_IString* outEffectID) const = 0;
    // [any-thread] Writes the host's current sample rate in hertz; the offline pass and the
    // editor ask from their own threads. kResultNullObject without the host interface.
    virtual AAX_Result GetSampleRate(AAX_CSampleRate* outSampleRate) const = 0;
    // [any-thread] Writes the input stem format. kResultNullObject without the host interface.
    virtual AAX_Result GetInputStemFormat(AAX_EStemFormat* outStemFormat) const = 0;
    // [any-thread] Writes the output stem format. kResultNullObject without the host interface.
    virtual AAX_Result GetOutputStemFormat(AAX_EStemFormat* outStemFormat) const = 0;
    // [any-thread] Writes the latency reported so far, in samples. kResultNullObject without
    // the host interface.
    virtual AAX_Result GetSignalLatency(int32* outSamples) const = 0;
    // [any-thread] Writes the cycle count the host holds for whichCycleCount. kResultNullObject
    // without the host interface.
    virtual AAX_Result GetCycleCount(AAX_EProperty whichCycleCount, int32* outNumCycles) const = 0;
    // [any-thread] Writes the time-of-day location. kResultNullObject without the host
    // interface.
    virtual AAX_Result GetTODLocation(int64* outTODLocation) const = 0;
    // [main-thread] Reports the plug-in's latency in samples. kResultNullObject without the
    // host interface.
    virtual AAX_Result SetSignalLatency(int32 numSamples) = 0;
    // [main-thread] Reports numValues cycle counts (both arrays the caller's, read during the
    // call). kResultNullObject without the host interface.
    virtual AAX_Result SetCycleCount(AAX_EProperty* whichCycleCounts, int32* values,
                                     int32 numValues) = 0;
    // [thread-safe] Hands the host payloadSize bytes for fieldIndex; the host copies them
    // during the call. Called from GenerateCoefficients, on the host's processing thread
    // (validator check: threads). kResultNullObject without the host interface.
    virtual AAX_Result PostPacket(AAX_CFieldIndex fieldIndex, const void* payload,
                                  uint32 payloadSize) = 0;
    // [main-thread] Hands the host dataSize bytes of a notification; the host copies them
    // during the call. kResultUnimplemented when the host lacks the newer version.
    virtual AAX_Result SendNotification(AAX_CTypeID notificationType, const void* data,
                                        uint32 dataSize) = 0;
    // [any-thread] Writes the meter's current value. kResultNullObject without the host
    // interface.
    virtual AAX_Result GetCurrentMeterValue(AAX_CTypeID meterID, float* outValue) const = 0;
    // [any-thread] Writes the meter's peak. kResultNullObject without the host interface.
    virtual AAX_Result GetMeterPeakValue(AAX_CTypeID meterID, float* outValue) const = 0;
    // [any-thread] Clears the meter's peak. kResultNullObject without the host interface.
    virtual AAX_Result ClearMeterPeakValue(AAX_CTypeID meterID) const = 0;
    // [any-thread] Writes the number of meters. kResultNullObject without the host interface.
    virtual AAX_Result GetMeterCount(uint32* outMeterCount) const = 0;
    // [any-thread] Writes 1 when the meter clipped, else 0. kResultNullObject without the host
    // interface.
    virtual AAX_Result GetMeterClipped(AAX_CTypeID meterID, AAX_CBoolean* outClipped) const = 0;
    // [any-thread] Clears the meter's clip flag. kResultNullObject without the host interface.
    virtual AAX_Result ClearMeterClipped(AAX_CTypeID meterID) const = 0;
    // [any-thread] Writes the next MIDI packet and its port, if one is waiting.
    // kResultNullObject without the host interface.
    virtual AAX_Result GetNextMIDIPacket(AAX_CFieldIndex* outPort, AAX_CMidiPacket* outPacket) = 0;
    // [any-thread] Writes the hybrid latency in samples. kResultUnimplemented when the host
    // lacks the newer version.
    virtual AAX_Result GetHybridSignalLatency(int32* outSamples) const = 0;
    // [any-thread] Writes the time stamp of the automation now applied. kResultUnimplemented
    // when the host lacks the newer version.
    virtual AAX_Result GetCurrentAutomationTimestamp(AAX_CTransportCounter* outTimestamp) const = 0;
    // [any-thread] Writes the host application's name into outHostName (the caller's).
    // kResultUnimplemented when the host lacks the newer version.
    virtual AAX_Result GetHostName(AAX_IString* outHostName) const = 0;
};
