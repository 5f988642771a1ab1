#pragma once

#include "AAX.h"
#include "AAX_UIDs.h"

// The host's per-instance transport, version 1: tempo, meter and positions. Queried on the
// host object a component receives in Initialize; held counted by the plug-in. Out
// pointers belong to the caller and are written only during the call.
class AAX_IACFTransport : public IACFUnknown
{
public:
    virtual AAX_Result GetCurrentTempo(double* outTempo) = 0;
    virtual AAX_Result GetCurrentMeter(int32* outNumerator, int32* outDenominator) = 0;
    virtual AAX_Result IsTransportPlaying(bool* outIsPlaying) = 0;
    virtual AAX_Result GetCurrentTickPosition(int64* outTickPosition) = 0;
    virtual AAX_Result GetCurrentLoopPosition(bool* outLooping, int64* outLoopStartTick,
                                              int64* outLoopEndTick) = 0;
    virtual AAX_Result GetCurrentNativeSampleLocation(int64* outSampleLocation) = 0;
    virtual AAX_Result GetCustomTickPosition(int64* outTickPosition, int64 sampleLocation) = 0;
    virtual AAX_Result GetBarBeatPosition(int32* outBars, int32* outBeats, int64* outDisplayTicks,
                                          int64 sampleLocation) = 0;
    virtual AAX_Result GetTicksPerQuarter(uint32* outTicks) = 0;
    virtual AAX_Result GetCurrentTicksPerBeat(uint32* outTicks) = 0;

protected:
    ~AAX_IACFTransport() = default;
};

// Version 2 adds the selection start, time code, feet/frames and the metronome.
class AAX_IACFTransport_V2 : public AAX_IACFTransport
{
public:
    virtual AAX_Result GetTimelineSelectionStartPosition(int64* outSampleLocation) = 0;
    virtual AAX_Result GetTimeCodeInfo(AAX_EFrameRate* outFrameRate, int32* outOffset) = 0;
    virtual AAX_Result GetFeetFramesInfo(AAX_EFeetFramesRate* outFeetFramesRate,
                                         int64* outOffset) = 0;
    virtual AAX_Result IsMetronomeEnabled(int32* outIsEnabled) = 0;

protected:
    ~AAX_IACFTransport_V2() = default;
};
