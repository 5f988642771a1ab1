#pragma once

#include "AAX.h"

// The plug-in's view of the host's per-instance transport: tempo, meter, positions and time
// code. Not reference counted: the component that makes it owns it.
class AAX_ITransport
{
public:
    virtual ~AAX_ITransport() = default;

    virtual AAX_Result GetCurrentTempo(double* outTempo) const = 0;
    virtual AAX_Result GetCurrentMeter(int32* outNumerator, int32* outDenominator) const = 0;
    virtual AAX_Result IsTransportPlaying(bool* outIsPlaying) const = 0;
    virtual AAX_Result GetCurrentTickPosition(int64* outTickPosition) const = 0;
    virtual AAX_Result GetCurrentLoopPosition(bool* outLooping, int64* outLoopStartTick,
                                              int64* outLoopEndTick) const = 0;
    virtual AAX_Result GetCurrentNativeSampleLocation(int64* outSampleLocation) const = 0;
    virtual AAX_Result GetCustomTickPosition(int64* outTickPosition,
                                             int64 sampleLocation) const = 0;
    virtual AAX_Result GetBarBeatPosition(int32* outBars, int32* outBeats, int64* outDisplayTicks,
                                          int64 sampleLocation) const = 0;
    virtual AAX_Result GetTicksPerQuarter(uint32* outTicks) const = 0;
    virtual AAX_Result GetCurrentTicksPerBeat(uint32* outTicks) const = 0;
    virtual AAX_Result GetTimelineSelectionStartPosition(int64* outSampleLocation) const = 0;
    virtual AAX_Result GetTimeCodeInfo(AAX_EFrameRate* outFrameRate, int32* outOffset) const = 0;
    virtual AAX_Result GetFeetFramesInfo(AAX_EFeetFramesRate* outFeetFramesRate,
                                         int64* outOffset) const = 0;
    virtual AAX_Result IsMetronomeEnabled(int32* outIsEnabled) const = 0;
};
