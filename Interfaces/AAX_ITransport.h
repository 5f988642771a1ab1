#pragma once

#include "AAX.h"
#include "AAX_ThreadTags.h"

// The plug-in's view of the host's per-instance transport: tempo, meter, positions and time
// code. Not reference counted: the component that makes it owns it.
class AAX_ITransport
{
public:
    virtual ~AAX_ITransport() = default;

    // [any-thread] Writes the tempo in beats per minute; a result code. The plug-in makes its
    // transport wrapper but calls none of these queries; each writes into the caller's out
    // pointers during the call only. kResultNullObject without the host interface.
    virtual AAX_Result GetCurrentTempo(double* outTempo) const = 0;
    // [any-thread] Writes the time signature; a result code. kResultNullObject without the host
    // interface.
    virtual AAX_Result GetCurrentMeter(int32* outNumerator, int32* outDenominator) const = 0;
    // [any-thread] Writes whether the transport runs; a result code. kResultNullObject without
    // the host interface.
    virtual AAX_Result IsTransportPlaying(bool* outIsPlaying) const = 0;
    // [any-thread] Writes the play position in ticks; a result code. kResultNullObject without
    // the host interface.
    virtual AAX_Result GetCurrentTickPosition(int64* outTickPosition) const = 0;
    // [any-thread] Writes the loop state and bounds in ticks; a result code. kResultNullObject
    // without the host interface.
    virtual AAX_Result GetCurrentLoopPosition(bool* outLooping, int64* outLoopStartTick,
                                              int64* outLoopEndTick) const = 0;
    // [any-thread] Writes the play position in samples; a result code. kResultNullObject
    // without the host interface.
    virtual AAX_Result GetCurrentNativeSampleLocation(int64* outSampleLocation) const = 0;
    // [any-thread] Writes the tick position of sampleLocation; a result code. kResultNullObject
    // without the host interface.
    virtual AAX_Result GetCustomTickPosition(int64* outTickPosition,
                                             int64 sampleLocation) const = 0;
    // [any-thread] Writes bars, beats and ticks of sampleLocation; a result code.
    // kResultNullObject without the host interface.
    virtual AAX_Result GetBarBeatPosition(int32* outBars, int32* outBeats, int64* outDisplayTicks,
                                          int64 sampleLocation) const = 0;
    // [any-thread] Writes the ticks per quarter note; a result code. kResultNullObject without
    // the host interface.
    virtual AAX_Result GetTicksPerQuarter(uint32* outTicks) const = 0;
    // [any-thread] Writes the ticks per beat; a result code. kResultNullObject without the host
    // interface.
    virtual AAX_Result GetCurrentTicksPerBeat(uint32* outTicks) const = 0;
    // [any-thread] Writes the selection start in samples; a result code. kResultUnimplemented
    // when the host lacks the newer version.
    virtual AAX_Result GetTimelineSelectionStartPosition(int64* outSampleLocation) const = 0;
    // [any-thread] Writes the time-code rate and offset; a result code. kResultUnimplemented
    // when the host lacks the newer version.
    virtual AAX_Result GetTimeCodeInfo(AAX_EFrameRate* outFrameRate, int32* outOffset) const = 0;
    // [any-thread] Writes the feet/frames rate and offset; a result code. kResultUnimplemented
    // when the host lacks the newer version.
    virtual AAX_Result GetFeetFramesInfo(AAX_EFeetFramesRate* outFeetFramesRate,
                                         int64* outOffset) const = 0;
    // [any-thread] Writes 1 when the click is on; a result code. kResultUnimplemented when the
    // host lacks the newer version.
    virtual AAX_Result IsMetronomeEnabled(int32* outIsEnabled) const = 0;
};
