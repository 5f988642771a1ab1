#include "HostController.h"

#include "AAX_IString.h"
#include "AAX_UIDs.h"

namespace orv::host
{
namespace
{

std::vector<unsigned char> CopyBytes(const void* data, uint32 size)
{
    const auto* bytes = static_cast<const unsigned char*>(data);
    return std::vector<unsigned char>(bytes, bytes + size);
}

template <class T> AAX_Result Write(T* out, T value)
{
    if (!out) return kResultNullArgument;
    *out = value;
    return kResultSuccess;
}

} // namespace

void HostController::SetSampleRate(AAX_CSampleRate sampleRate)
{
    std::lock_guard<std::mutex> lock(mMutex);
    mSampleRate = sampleRate;
}

void HostController::SetEffectID(const std::string& effectID)
{
    std::lock_guard<std::mutex> lock(mMutex);
    mEffectID = effectID;
}

void HostController::SetHostName(const std::string& hostName)
{
    std::lock_guard<std::mutex> lock(mMutex);
    mHostName = hostName;
}

std::vector<HostController::Packet> HostController::Packets() const
{
    std::lock_guard<std::mutex> lock(mMutex);
    return mPackets;
}

std::vector<HostController::Notification> HostController::Notifications() const
{
    std::lock_guard<std::mutex> lock(mMutex);
    return mNotifications;
}

int32 HostController::SignalLatency() const
{
    std::lock_guard<std::mutex> lock(mMutex);
    return mSignalLatency;
}

AAX_Result HostController::GetEffectID(AAX_IString* outEffectID)
{
    mLog.Add("GetEffectID");
    if (!outEffectID) return kResultNullArgument;
    std::lock_guard<std::mutex> lock(mMutex);
    outEffectID->Set(mEffectID.c_str());
    return kResultSuccess;
}

AAX_Result HostController::GetSampleRate(AAX_CSampleRate* outSampleRate)
{
    mLog.Add("GetSampleRate");
    std::lock_guard<std::mutex> lock(mMutex);
    return Write(outSampleRate, mSampleRate);
}

AAX_Result HostController::GetInputStemFormat(AAX_EStemFormat* outStemFormat)
{
    mLog.Add("GetInputStemFormat");
    return Write(outStemFormat, AAX_eStemFormat_Mono);
}

AAX_Result HostController::GetOutputStemFormat(AAX_EStemFormat* outStemFormat)
{
    mLog.Add("GetOutputStemFormat");
    return Write(outStemFormat, AAX_eStemFormat_Mono);
}

AAX_Result HostController::GetSignalLatency(int32* outSamples)
{
    mLog.Add("GetSignalLatency");
    std::lock_guard<std::mutex> lock(mMutex);
    return Write(outSamples, mSignalLatency);
}

AAX_Result HostController::GetCycleCount(AAX_EProperty /*whichCycleCount*/, int32* outNumCycles)
{
    mLog.Add("GetCycleCount");
    return Write(outNumCycles, 0);
}

AAX_Result HostController::GetTODLocation(int64* outTODLocation)
{
    mLog.Add("GetTODLocation");
    return Write(outTODLocation, int64{0});
}

AAX_Result HostController::SetSignalLatency(int32 numSamples)
{
    mLog.Add("SetSignalLatency");
    std::lock_guard<std::mutex> lock(mMutex);
    mSignalLatency = numSamples;
    return kResultSuccess;
}

AAX_Result HostController::SetCycleCount(AAX_EProperty* /*whichCycleCounts*/, int32* /*values*/,
                                         int32 /*numValues*/)
{
    mLog.Add("SetCycleCount");
    return kResultSuccess;
}

AAX_Result HostController::PostPacket(AAX_CFieldIndex fieldIndex, const void* payload,
                                      uint32 payloadSize)
{
    mLog.Add("PostPacket");
    if (!payload && payloadSize > 0) return kResultNullArgument;
    std::lock_guard<std::mutex> lock(mMutex);
    mPackets.push_back({fieldIndex, CopyBytes(payload, payloadSize)});
    return kResultSuccess;
}

AAX_Result HostController::GetCurrentMeterValue(AAX_CTypeID /*meterID*/, float* outValue)
{
    mLog.Add("GetCurrentMeterValue");
    return Write(outValue, 0.0f);
}

AAX_Result HostController::GetMeterPeakValue(AAX_CTypeID /*meterID*/, float* outValue)
{
    mLog.Add("GetMeterPeakValue");
    return Write(outValue, 0.0f);
}

AAX_Result HostController::ClearMeterPeakValue(AAX_CTypeID /*meterID*/)
{
    mLog.Add("ClearMeterPeakValue");
    return kResultSuccess;
}

AAX_Result HostController::GetMeterCount(uint32* outMeterCount)
{
    mLog.Add("GetMeterCount");
    return Write(outMeterCount, 0u);
}

AAX_Result HostController::GetMeterClipped(AAX_CTypeID /*meterID*/, AAX_CBoolean* outClipped)
{
    mLog.Add("GetMeterClipped");
    return Write(outClipped, AAX_CBoolean{0});
}

AAX_Result HostController::ClearMeterClipped(AAX_CTypeID /*meterID*/)
{
    mLog.Add("ClearMeterClipped");
    return kResultSuccess;
}

AAX_Result HostController::GetNextMIDIPacket(AAX_CFieldIndex* /*outPort*/,
                                             AAX_CMidiPacket* /*outPacket*/)
{
    // The offline host delivers no MIDI.
    mLog.Add("GetNextMIDIPacket");
    return kResultNullObject;
}

AAX_Result HostController::SendNotification(AAX_CTypeID notificationType, const void* data,
                                            uint32 dataSize)
{
    mLog.Add("SendNotification");
    if (!data && dataSize > 0) return kResultNullArgument;
    std::lock_guard<std::mutex> lock(mMutex);
    mNotifications.push_back({notificationType, CopyBytes(data, dataSize)});
    return kResultSuccess;
}

AAX_Result HostController::GetHybridSignalLatency(int32* outSamples)
{
    mLog.Add("GetHybridSignalLatency");
    return Write(outSamples, 0);
}

AAX_Result HostController::GetCurrentAutomationTimestamp(AAX_CTransportCounter* outTimestamp)
{
    mLog.Add("GetCurrentAutomationTimestamp");
    return Write(outTimestamp, AAX_CTransportCounter{0});
}

AAX_Result HostController::GetHostName(AAX_IString* outHostName)
{
    mLog.Add("GetHostName");
    if (!outHostName) return kResultNullArgument;
    std::lock_guard<std::mutex> lock(mMutex);
    outHostName->Set(mHostName.c_str());
    return kResultSuccess;
}

} // namespace orv::host
