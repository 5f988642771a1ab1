#include "AAX_VController.h"

#include "AAX_Errors.h"

AAX_VController::AAX_VController(IACFUnknown* host)
{
    if (!host) return;
    // A failed query leaves its holder empty; the operations report that.
    host->QueryInterface(IID_IAAXControllerV1, reinterpret_cast<void**>(&mIController));
    host->QueryInterface(IID_IAAXControllerV2, reinterpret_cast<void**>(&mIControllerV2));
}

AAX_Result AAX_VController::GetEffectID(AAX_IString* outEffectID) const
{
    if (!mIController) return kResultNullObject;
    return mIController->GetEffectID(outEffectID);
}

AAX_Result AAX_VController::GetSampleRate(AAX_CSampleRate* outSampleRate) const
{
    if (!mIController) return kResultNullObject;
    return mIController->GetSampleRate(outSampleRate);
}

AAX_Result AAX_VController::GetInputStemFormat(AAX_EStemFormat* outStemFormat) const
{
    if (!mIController) return kResultNullObject;
    return mIController->GetInputStemFormat(outStemFormat);
}

AAX_Result AAX_VController::GetOutputStemFormat(AAX_EStemFormat* outStemFormat) const
{
    if (!mIController) return kResultNullObject;
    return mIController->GetOutputStemFormat(outStemFormat);
}

AAX_Result AAX_VController::GetSignalLatency(int32* outSamples) const
{
    if (!mIController) return kResultNullObject;
    return mIController->GetSignalLatency(outSamples);
}

AAX_Result AAX_VController::GetCycleCount(AAX_EProperty whichCycleCount, int32* outNumCycles) const
{
    if (!mIController) return kResultNullObject;
    return mIController->GetCycleCount(whichCycleCount, outNumCycles);
}

AAX_Result AAX_VController::GetTODLocation(int64* outTODLocation) const
{
    if (!mIController) return kResultNullObject;
    return mIController->GetTODLocation(outTODLocation);
}

AAX_Result AAX_VController::SetSignalLatency(int32 numSamples)
{
    if (!mIController) return kResultNullObject;
    return mIController->SetSignalLatency(numSamples);
}

AAX_Result AAX_VController::SetCycleCount(AAX_EProperty* whichCycleCounts, int32* values,
                                          int32 numValues)
{
    if (!mIController) return kResultNullObject;
    return mIController->SetCycleCount(whichCycleCounts, values, numValues);
}

AAX_Result AAX_VController::PostPacket(AAX_CFieldIndex fieldIndex, const void* payload,
                                       uint32 payloadSize)
{
    if (!mIController) return kResultNullObject;
    return mIController->PostPacket(fieldIndex, payload, payloadSize);
}

AAX_Result AAX_VController::SendNotification(AAX_CTypeID notificationType, const void* data,
                                             uint32 dataSize)
{
    if (!mIControllerV2) return kResultUnimplemented;
    return mIControllerV2->SendNotification(notificationType, data, dataSize);
}

AAX_Result AAX_VController::GetCurrentMeterValue(AAX_CTypeID meterID, float* outValue) const
{
    if (!mIController) return kResultNullObject;
    return mIController->GetCurrentMeterValue(meterID, outValue);
}

AAX_Result AAX_VController::GetMeterPeakValue(AAX_CTypeID meterID, float* outValue) const
{
    if (!mIController) return kResultNullObject;
    return mIController->GetMeterPeakValue(meterID, outValue);
}

AAX_Result AAX_VController::ClearMeterPeakValue(AAX_CTypeID meterID) const
{
    if (!mIController) return kResultNullObject;
    return mIController->ClearMeterPeakValue(meterID);
}

AAX_Result AAX_VController::GetMeterCount(uint32* outMeterCount) const
{
    if (!mIController) return kResultNullObject;
    return mIController->GetMeterCount(outMeterCount);
}

AAX_Result AAX_VController::GetMeterClipped(AAX_CTypeID meterID, AAX_CBoolean* outClipped) const
{
    if (!mIController) return kResultNullObject;
    return mIController->GetMeterClipped(meterID, outClipped);
}

AAX_Result AAX_VController::ClearMeterClipped(AAX_CTypeID meterID) const
{
    if (!mIController) return kResultNullObject;
    return mIController->ClearMeterClipped(meterID);
}

AAX_Result AAX_VController::GetNextMIDIPacket(AAX_CFieldIndex* outPort, AAX_CMidiPacket* outPacket)
{
    if (!mIController) return kResultNullObject;
    return mIController->GetNextMIDIPacket(outPort, outPacket);
}

AAX_Result AAX_VController::GetHybridSignalLatency(int32* outSamples) const
{
    if (!mIControllerV2) return kResultUnimplemented;
    return mIControllerV2->GetHybridSignalLatency(outSamples);
}

AAX_Result AAX_VController::GetCurrentAutomationTimestamp(AAX_CTransportCounter* outTimestamp) const
{
    if (!mIControllerV2)
    {
        if (outTimestamp) *outTimestamp = 0;
        return kResultUnimplemented;
    }
    return mIControllerV2->GetCurrentAutomationTimestamp(outTimestamp);
}

AAX_Result AAX_VController::GetHostName(AAX_IString* outHostName) const
{
    if (!mIControllerV2) return kResultUnimplemented;
    return mIControllerV2->GetHostName(outHostName);
}
