#pragma once

#include <mutex>
#include <string>
#include <vector>

#include "AAX_IACFController.h"
#include "AAX_UIDs.h"
#include "HostCallLog.h"
#include "HostVersionedUnknown.h"

namespace orv::host
{

// The host's per-instance controller: a settable sample rate and host name, and a log of
// the packets and notifications the plug-in sends. It can be limited to version 1, as an
// older host would be. Out pointers that are null give kResultNullArgument.
class HostController : public HostVersionedUnknown<AAX_IACFController, AAX_IACFController_V2,
                                                   IID_IAAXControllerV1, IID_IAAXControllerV2>
{
public:
    struct Packet
    {
        AAX_CFieldIndex field;
        std::vector<unsigned char> bytes;
    };
    struct Notification
    {
        AAX_CTypeID type;
        std::vector<unsigned char> bytes;
    };

    static constexpr AAX_CSampleRate kDefaultSampleRate = 48000.0f;
    static constexpr const char* kDefaultHostName = "Orvendal reference host";

    explicit HostController(bool offerVersion2 = true) : HostVersionedUnknown(offerVersion2) {}

    void SetSampleRate(AAX_CSampleRate sampleRate);
    void SetEffectID(const std::string& effectID);
    void SetHostName(const std::string& hostName);

    std::vector<Packet> Packets() const;
    std::vector<Notification> Notifications() const;
    int32 SignalLatency() const;
    const HostCallLog& Log() const { return mLog; }

    AAX_Result GetEffectID(AAX_IString* outEffectID) override;
    AAX_Result GetSampleRate(AAX_CSampleRate* outSampleRate) override;
    AAX_Result GetInputStemFormat(AAX_EStemFormat* outStemFormat) override;
    AAX_Result GetOutputStemFormat(AAX_EStemFormat* outStemFormat) override;
    AAX_Result GetSignalLatency(int32* outSamples) override;
    AAX_Result GetCycleCount(AAX_EProperty whichCycleCount, int32* outNumCycles) override;
    AAX_Result GetTODLocation(int64* outTODLocation) override;
    AAX_Result SetSignalLatency(int32 numSamples) override;
    AAX_Result SetCycleCount(AAX_EProperty* whichCycleCounts, int32* values,
                             int32 numValues) override;
    AAX_Result PostPacket(AAX_CFieldIndex fieldIndex, const void* payload,
                          uint32 payloadSize) override;
    AAX_Result GetCurrentMeterValue(AAX_CTypeID meterID, float* outValue) override;
    AAX_Result GetMeterPeakValue(AAX_CTypeID meterID, float* outValue) override;
    AAX_Result ClearMeterPeakValue(AAX_CTypeID meterID) override;
    AAX_Result GetMeterCount(uint32* outMeterCount) override;
    AAX_Result GetMeterClipped(AAX_CTypeID meterID, AAX_CBoolean* outClipped) override;
    AAX_Result ClearMeterClipped(AAX_CTypeID meterID) override;
    AAX_Result GetNextMIDIPacket(AAX_CFieldIndex* outPort, AAX_CMidiPacket* outPacket) override;
    AAX_Result SendNotification(AAX_CTypeID notificationType, const void* data,
                                uint32 dataSize) override;
    AAX_Result GetHybridSignalLatency(int32* outSamples) override;
    AAX_Result GetCurrentAutomationTimestamp(AAX_CTransportCounter* outTimestamp) override;
    AAX_Result GetHostName(AAX_IString* outHostName) override;

private:
    HostCallLog mLog;
    mutable std::mutex mMutex;
    AAX_CSampleRate mSampleRate = kDefaultSampleRate;
    std::string mEffectID;
    std::string mHostName = kDefaultHostName;
    int32 mSignalLatency = 0;
    std::vector<Packet> mPackets;
    std::vector<Notification> mNotifications;
};

} // namespace orv::host
