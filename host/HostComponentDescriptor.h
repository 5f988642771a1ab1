#pragma once

#include <vector>

#include "AAX_IACFComponentDescriptor.h"
#include "ACFPtr.h"
#include "HostCallLog.h"
#include "HostDescriptionOptions.h"
#include "HostPropertyMap.h"
#include "HostUnknown.h"

namespace orv::host
{

inline constexpr _acfUID IID_HostComponentDescriptorSelf = {
    0x6C2B5E10, 0x93A4, 0x4F02, {0x8E, 0x61, 0x0B, 0xD2, 0x47, 0x15, 0x00, 0x02}};

// The host's description of a real-time component: every call is logged by name, and the
// property maps of its process procedures are kept. The reference host runs no real-time
// components, so nothing else is kept. Main thread only.
class HostComponentDescriptor : public HostUnknown<AAX_IACFComponentDescriptor_V2>
{
public:
    explicit HostComponentDescriptor(const HostDescriptionOptions& options);

    AAX_Result Clear() override;
    AAX_Result AddAudioIn(AAX_CFieldIndex fieldIndex) override;
    AAX_Result AddAudioOut(AAX_CFieldIndex fieldIndex) override;
    AAX_Result AddAudioBufferLength(AAX_CFieldIndex fieldIndex) override;
    AAX_Result AddSampleRate(AAX_CFieldIndex fieldIndex) override;
    AAX_Result AddClock(AAX_CFieldIndex fieldIndex) override;
    AAX_Result AddSideChainIn(AAX_CFieldIndex fieldIndex) override;
    AAX_Result AddDataInPort(AAX_CFieldIndex fieldIndex, uint32 packetSize,
                             AAX_EDataInPortType portType) override;
    AAX_Result AddAuxOutputStem(AAX_CFieldIndex fieldIndex, int32 stemFormat,
                                const char* name) override;
    AAX_Result AddPrivateData(AAX_CFieldIndex fieldIndex, int32 dataSize, uint32 options) override;
    AAX_Result AddDmaInstance(AAX_CFieldIndex fieldIndex, AAX_IDma::EMode dmaMode) override;
    AAX_Result AddMeters(AAX_CFieldIndex fieldIndex, const AAX_CTypeID* meterIDs,
                         uint32 meterCount) override;
    AAX_Result AddMIDINode(AAX_CFieldIndex fieldIndex, AAX_EMIDINodeType nodeType,
                           const char* nodeName, uint32 channelMask) override;
    AAX_Result AddReservedField(AAX_CFieldIndex fieldIndex, uint32 fieldType) override;
    // Writes a new procedure number (1, 2, ...) when outProcID is given.
    AAX_Result AddProcessProc_Native(AAX_CProcessProc processProc, IACFUnknown* properties,
                                     AAX_CInstanceInitProc instanceInitProc,
                                     AAX_CBackgroundProc backgroundProc,
                                     AAX_CSelector* outProcID) override;
    AAX_Result AddProcessProc_TI(const char* dllFileName, const char* processProcSymbol,
                                 IACFUnknown* properties, const char* instanceInitProcSymbol,
                                 const char* backgroundProcSymbol,
                                 AAX_CSelector* outProcID) override;
    AAX_Result AddTemporaryData(AAX_CFieldIndex fieldIndex, uint32 dataElementSize) override;

    static ACFPtr<HostComponentDescriptor> From(IACFUnknown* object);

    const HostCallLog& Log() const { return mLog; }
    // The maps given with the process procedures, in order (empty holders for none).
    const std::vector<ACFPtr<HostPropertyMap>>& ProcessProcMaps() const { return mProcMaps; }

protected:
    void* Find(const _acfUID& iid) override;

private:
    AAX_Result Logged(const char* operation);
    AAX_Result AddProcessProc(const char* operation, IACFUnknown* properties,
                              AAX_CSelector* outProcID);

    const bool mVersion2;
    HostCallLog mLog;
    std::vector<ACFPtr<HostPropertyMap>> mProcMaps;
};

} // namespace orv::host
