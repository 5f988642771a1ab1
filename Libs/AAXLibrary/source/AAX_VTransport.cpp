#include "AAX_VTransport.h"

#include "AAX_Errors.h"

AAX_VTransport::AAX_VTransport(IACFUnknown* host)
{
    if (!host) return;
    // A failed query leaves its holder empty; the operations report that.
    host->QueryInterface(IID_IAAXTransportV1, reinterpret_cast<void**>(&mITransport));
    host->QueryInterface(IID_IAAXTransportV2, reinterpret_cast<void**>(&mITransportV2));
}

AAX_Result AAX_VTransport::GetCurrentTempo(double* outTempo) const
{
    if (!mITransport) return kResultNullObject;
    return mITransport->GetCurrentTempo(outTempo);
}

AAX_Result AAX_VTransport::GetCurrentMeter(int32* outNumerator, int32* outDenominator) const
{
    if (!mITransport) return kResultNullObject;
    return mITransport->GetCurrentMeter(outNumerator, outDenominator);
}

AAX_Result AAX_VTransport::IsTransportPlaying(bool* outIsPlaying) const
{
    if (!mITransport) return kResultNullObject;
    return mITransport->IsTransportPlaying(outIsPlaying);
}

AAX_Result AAX_VTransport::GetCurrentTickPosition(int64* outTickPosition) const
{
    if (!mITransport) return kResultNullObject;
    return mITransport->GetCurrentTickPosition(outTickPosition);
}

AAX_Result AAX_VTransport::GetCurrentLoopPosition(bool* outLooping, int64* outLoopStartTick,
                                                  int64* outLoopEndTick) const
{
    if (!mITransport) return kResultNullObject;
    return mITransport->GetCurrentLoopPosition(outLooping, outLoopStartTick, outLoopEndTick);
}

AAX_Result AAX_VTransport::GetCurrentNativeSampleLocation(int64* outSampleLocation) const
{
    if (!mITransport) return kResultNullObject;
    return mITransport->GetCurrentNativeSampleLocation(outSampleLocation);
}

AAX_Result AAX_VTransport::GetCustomTickPosition(int64* outTickPosition, int64 sampleLocation) const
{
    if (!mITransport) return kResultNullObject;
    return mITransport->GetCustomTickPosition(outTickPosition, sampleLocation);
}

AAX_Result AAX_VTransport::GetBarBeatPosition(int32* outBars, int32* outBeats,
                                              int64* outDisplayTicks, int64 sampleLocation) const
{
    if (!mITransport) return kResultNullObject;
    return mITransport->GetBarBeatPosition(outBars, outBeats, outDisplayTicks, sampleLocation);
}

AAX_Result AAX_VTransport::GetTicksPerQuarter(uint32* outTicks) const
{
    if (!mITransport) return kResultNullObject;
    return mITransport->GetTicksPerQuarter(outTicks);
}

AAX_Result AAX_VTransport::GetCurrentTicksPerBeat(uint32* outTicks) const
{
    if (!mITransport) return kResultNullObject;
    return mITransport->GetCurrentTicksPerBeat(outTicks);
}

AAX_Result AAX_VTransport::GetTimelineSelectionStartPosition(int64* outSampleLocation) const
{
    if (!mITransportV2) return kResultUnimplemented;
    return mITransportV2->GetTimelineSelectionStartPosition(outSampleLocation);
}

AAX_Result AAX_VTransport::GetTimeCodeInfo(AAX_EFrameRate* outFrameRate, int32* outOffset) const
{
    if (!mITransportV2) return kResultUnimplemented;
    return mITransportV2->GetTimeCodeInfo(outFrameRate, outOffset);
}

AAX_Result AAX_VTransport::GetFeetFramesInfo(AAX_EFeetFramesRate* outFeetFramesRate,
                                             int64* outOffset) const
{
    if (!mITransportV2) return kResultUnimplemented;
    return mITransportV2->GetFeetFramesInfo(outFeetFramesRate, outOffset);
}

AAX_Result AAX_VTransport::IsMetronomeEnabled(int32* outIsEnabled) const
{
    if (!mITransportV2) return kResultUnimplemented;
    return mITransportV2->IsMetronomeEnabled(outIsEnabled);
}
