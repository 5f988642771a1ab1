#pragma once

#include "AAX.h"
#include "AAX_ThreadTags.h"
#include "AAX_UIDs.h"

// The host's per-instance transport, version 1: tempo, meter and positions. Queried on the
// host object a component receives in Initialize; held counted by the plug-in. Out
// pointers belong to the caller and are written only during the call.
class AAX_IACFTransport : public IACFUnknown
{
public:
    // [any-thread] Writes the tempo in beats per minute; a result code. The plug-in makes its
    // transport wrapper but calls none of these queries; each writes into the caller's out
    // pointers during the call only.
    virtual AAX_Result GetCurrentTempo(double* outTempo) = 0;
    // [any-thread] Writes the time signature; a result code.
    virtual AAX_Result GetCurrentMeter(int32* outNumerator, int32* outDenominator) = 0;
    // [any-thread] Writes whether the transport runs; a result code.
    virtual AAX_Result IsTransportPlaying(bool* outIsPlaying) = 0;
    // [any-thread] Writes the play position in ticks; a result code.
    virtual AAX_Result GetCurrentTickPosition(int64* outTickPosition) = 0;
    // [any-thread] Writes the loop state and bounds in ticks; a result code.
    virtual AAX_Result GetCurrentLoopPosition(bool* outLooping, int64* outLoopStartTick,
                                              int64* outLoopEndTick) = 0;
    // [any-thread] Writes the play position in samples; a result code.
    virtual AAX_Result GetCurrentNativeSampleLocation(int64* outSampleLocation) = 0;
    // [any-thread] Writes the tick position of sampleLocation; a result code.
    virtual AAX_Result GetCustomTickPosition(int64* outTickPosition, int64 sampleLocation) = 0;
    // [any-thread] Writes bars, beats and ticks of sampleLocation; a result code.
    virtual AAX_Result GetBarBeatPosition(int32* outBars, int32* outBeats, int64* outDisplayTicks,
                                          int64 sampleLocation) = 0;
    // [any-thread] Writes the ticks per quarter note; a result code.
    virtual AAX_Result GetTicksPerQuarter(uint32* outTicks) = 0;
    // [any-thread] Writes the ticks per beat; a result code.
    virtual AAX_Result GetCurrentTicksPerBeat(uint32* outTicks) = 0;

protected:
    ~AAX_IACFTransport() = default;
};

// Version 2 adds the selection start, time code, feet/frames and the metronome.
class AAX_IACFTransport_V2 : public AAX_IACFTransport
{
public:
    // [any-thread] Writes the selection start in samples; a result code.
    virtual AAX_Result GetTimelineSelectionStartPosition(int64* outSampleLocation) = 0;
    // [any-thread] Writes the time-code rate and offset; a result code.
    virtual AAX_Result GetTimeCodeInfo(AAX_EFrameRate* outFrameRate, int32* outOffset) = 0;
    // [any-thread] Writes the feet/frames rate and offset; a result code.
    virtual AAX_Result GetFeetFramesInfo(AAX_EFeetFramesRate* outFeetFramesRate,
                                         int64* outOffset) = 0;
    // [any-thread] Writes 1 when the click is on; a result code.
    virtual AAX_Result IsMetronomeEnabled(int32* outIsEnabled) = 0;

protected:
    ~AAX_IACFTransport_V2() = default;
};
