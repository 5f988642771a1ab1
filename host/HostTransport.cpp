#include "HostTransport.h"

#include "AAX_UIDs.h"

namespace orv::host
{

void HostTransport::SetMeter(int32 numerator, int32 denominator)
{
    mNumerator = numerator;
    mDenominator = denominator;
}

AAX_Result HostTransport::GetCurrentTempo(double* outTempo)
{
    mLog.Add("GetCurrentTempo");
    if (!outTempo) return kResultNullArgument;
    *outTempo = mTempo;
    return kResultSuccess;
}

AAX_Result HostTransport::GetCurrentMeter(int32* outNumerator, int32* outDenominator)
{
    mLog.Add("GetCurrentMeter");
    if (!outNumerator || !outDenominator) return kResultNullArgument;
    *outNumerator = mNumerator;
    *outDenominator = mDenominator;
    return kResultSuccess;
}

AAX_Result HostTransport::IsTransportPlaying(bool* outIsPlaying)
{
    mLog.Add("IsTransportPlaying");
    if (!outIsPlaying) return kResultNullArgument;
    *outIsPlaying = false;
    return kResultSuccess;
}

AAX_Result HostTransport::GetCurrentTickPosition(int64* outTickPosition)
{
    mLog.Add("GetCurrentTickPosition");
    if (!outTickPosition) return kResultNullArgument;
    *outTickPosition = 0;
    return kResultSuccess;
}

AAX_Result HostTransport::GetCurrentLoopPosition(bool* outLooping, int64* outLoopStartTick,
                                                 int64* outLoopEndTick)
{
    mLog.Add("GetCurrentLoopPosition");
    if (!outLooping || !outLoopStartTick || !outLoopEndTick) return kResultNullArgument;
    *outLooping = false;
    *outLoopStartTick = 0;
    *outLoopEndTick = 0;
    return kResultSuccess;
}

AAX_Result HostTransport::GetCurrentNativeSampleLocation(int64* outSampleLocation)
{
    mLog.Add("GetCurrentNativeSampleLocation");
    if (!outSampleLocation) return kResultNullArgument;
    *outSampleLocation = 0;
    return kResultSuccess;
}

AAX_Result HostTransport::GetCustomTickPosition(int64* outTickPosition, int64 /*sampleLocation*/)
{
    mLog.Add("GetCustomTickPosition");
    if (!outTickPosition) return kResultNullArgument;
    *outTickPosition = 0;
    return kResultSuccess;
}

AAX_Result HostTransport::GetBarBeatPosition(int32* outBars, int32* outBeats,
                                             int64* outDisplayTicks, int64 /*sampleLocation*/)
{
    mLog.Add("GetBarBeatPosition");
    if (!outBars || !outBeats || !outDisplayTicks) return kResultNullArgument;
    *outBars = 1;
    *outBeats = 1;
    *outDisplayTicks = 0;
    return kResultSuccess;
}

AAX_Result HostTransport::GetTicksPerQuarter(uint32* outTicks)
{
    mLog.Add("GetTicksPerQuarter");
    if (!outTicks) return kResultNullArgument;
    *outTicks = kTicksPerQuarter;
    return kResultSuccess;
}

AAX_Result HostTransport::GetCurrentTicksPerBeat(uint32* outTicks)
{
    mLog.Add("GetCurrentTicksPerBeat");
    if (!outTicks) return kResultNullArgument;
    // A beat is a quarter scaled by the meter's note value.
    *outTicks = mDenominator > 0 ? kTicksPerQuarter * 4 / static_cast<uint32>(mDenominator)
                                 : kTicksPerQuarter;
    return kResultSuccess;
}

AAX_Result HostTransport::GetTimelineSelectionStartPosition(int64* outSampleLocation)
{
    mLog.Add("GetTimelineSelectionStartPosition");
    if (!outSampleLocation) return kResultNullArgument;
    *outSampleLocation = 0;
    return kResultSuccess;
}

AAX_Result HostTransport::GetTimeCodeInfo(AAX_EFrameRate* outFrameRate, int32* outOffset)
{
    mLog.Add("GetTimeCodeInfo");
    if (!outFrameRate || !outOffset) return kResultNullArgument;
    *outFrameRate = AAX_eFrameRate_Undeclared;
    *outOffset = 0;
    return kResultSuccess;
}

AAX_Result HostTransport::GetFeetFramesInfo(AAX_EFeetFramesRate* outFeetFramesRate,
                                            int64* outOffset)
{
    mLog.Add("GetFeetFramesInfo");
    if (!outFeetFramesRate || !outOffset) return kResultNullArgument;
    *outFeetFramesRate = AAX_eFeetFramesRate_23976;
    *outOffset = 0;
    return kResultSuccess;
}

AAX_Result HostTransport::IsMetronomeEnabled(int32* outIsEnabled)
{
    mLog.Add("IsMetronomeEnabled");
    if (!outIsEnabled) return kResultNullArgument;
    *outIsEnabled = 0;
    return kResultSuccess;
}

} // namespace orv::host
