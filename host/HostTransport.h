#pragma once

#include "AAX_IACFTransport.h"
#include "AAX_UIDs.h"
#include "HostCallLog.h"
#include "HostVersionedUnknown.h"

namespace orv::host
{

// The host's per-instance transport of an offline host: stopped, at a settable tempo and
// meter, at position 0. It logs every call and can be limited to version 1. Null out
// pointers give kResultNullArgument.
class HostTransport : public HostVersionedUnknown<AAX_IACFTransport, AAX_IACFTransport_V2,
                                                  IID_IAAXTransportV1, IID_IAAXTransportV2>
{
public:
    static constexpr double kDefaultTempo = 120.0;
    static constexpr uint32 kTicksPerQuarter = 960000;

    explicit HostTransport(bool offerVersion2 = true) : HostVersionedUnknown(offerVersion2) {}

    // Set before the plug-in runs; not synchronised with its calls.
    void SetTempo(double tempo) { mTempo = tempo; }
    void SetMeter(int32 numerator, int32 denominator);
    const HostCallLog& Log() const { return mLog; }

    AAX_Result GetCurrentTempo(double* outTempo) override;
    AAX_Result GetCurrentMeter(int32* outNumerator, int32* outDenominator) override;
    AAX_Result IsTransportPlaying(bool* outIsPlaying) override;
    AAX_Result GetCurrentTickPosition(int64* outTickPosition) override;
    AAX_Result GetCurrentLoopPosition(bool* outLooping, int64* outLoopStartTick,
                                      int64* outLoopEndTick) override;
    AAX_Result GetCurrentNativeSampleLocation(int64* outSampleLocation) override;
    AAX_Result GetCustomTickPosition(int64* outTickPosition, int64 sampleLocation) override;
    AAX_Result GetBarBeatPosition(int32* outBars, int32* outBeats, int64* outDisplayTicks,
                                  int64 sampleLocation) override;
    AAX_Result GetTicksPerQuarter(uint32* outTicks) override;
    AAX_Result GetCurrentTicksPerBeat(uint32* outTicks) override;
    AAX_Result GetTimelineSelectionStartPosition(int64* outSampleLocation) override;
    AAX_Result GetTimeCodeInfo(AAX_EFrameRate* outFrameRate, int32* outOffset) override;
    AAX_Result GetFeetFramesInfo(AAX_EFeetFramesRate* outFeetFramesRate, int64* outOffset) override;
    AAX_Result IsMetronomeEnabled(int32* outIsEnabled) override;

private:
    HostCallLog mLog;
    double mTempo = kDefaultTempo;
    int32 mNumerator = 4;
    int32 mDenominator = 4;
};

} // namespace orv::host
