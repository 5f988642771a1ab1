#pragma once

#include "AAX_IACFTransport.h"
#include "AAX_ITransport.h"
#include "ACFPtr.h"

// Forwards AAX_ITransport to the host's transport. Version 1 operations answer
// kResultNullObject without a host transport, version 2 operations kResultUnimplemented
// when the host offers only version 1; nothing throws.
class AAX_VTransport : public AAX_ITransport
{
public:
    // Queries host (borrowed, may be null) for both versions; keeps only what it gets.
    explicit AAX_VTransport(IACFUnknown* host);
    ~AAX_VTransport() override = default;

    AAX_VTransport(const AAX_VTransport&) = delete;
    AAX_VTransport& operator=(const AAX_VTransport&) = delete;

    AAX_Result GetCurrentTempo(double* outTempo) const override;
    AAX_Result GetCurrentMeter(int32* outNumerator, int32* outDenominator) const override;
    AAX_Result IsTransportPlaying(bool* outIsPlaying) const override;
    AAX_Result GetCurrentTickPosition(int64* outTickPosition) const override;
    AAX_Result GetCurrentLoopPosition(bool* outLooping, int64* outLoopStartTick,
                                      int64* outLoopEndTick) const override;
    AAX_Result GetCurrentNativeSampleLocation(int64* outSampleLocation) const override;
    AAX_Result GetCustomTickPosition(int64* outTickPosition, int64 sampleLocation) const override;
    AAX_Result GetBarBeatPosition(int32* outBars, int32* outBeats, int64* outDisplayTicks,
                                  int64 sampleLocation) const override;
    AAX_Result GetTicksPerQuarter(uint32* outTicks) const override;
    AAX_Result GetCurrentTicksPerBeat(uint32* outTicks) const override;
    AAX_Result GetTimelineSelectionStartPosition(int64* outSampleLocation) const override;
    AAX_Result GetTimeCodeInfo(AAX_EFrameRate* outFrameRate, int32* outOffset) const override;
    AAX_Result GetFeetFramesInfo(AAX_EFeetFramesRate* outFeetFramesRate,
                                 int64* outOffset) const override;
    AAX_Result IsMetronomeEnabled(int32* outIsEnabled) const override;

private:
    // Declared in this order so that version 2 is released first.
    ACFPtr<AAX_IACFTransport> mITransport;
    ACFPtr<AAX_IACFTransport_V2> mITransportV2;
};
