#pragma once

#include <vector>

#include "AAX_IACFComponentDescriptor.h"
#include "AAX_UIDs.h"
#include "ACFPtr.h"
#include "HostCallLog.h"
#include "HostDescriptionOptions.h"
#include "HostObjectBehind.h"
#include "HostPropertyMap.h"
#include "HostVersionedUnknown.h"

namespace orv::host
{

// The host's description of a real-time component: every call is logged by name, and the
// property maps of its process procedures are kept. The reference host runs no real-time
// components, so nothing else is kept. Main thread only.
class HostComponentDescriptor
    : public HostVersionedUnknown<AAX_IACFComponentDescriptor, AAX_IACFComponentDescriptor_V2,
                                  IID_IAAXComponentDescriptorV1, IID_IAAXComponentDescriptorV2>
{
public:
    explicit HostComponentDescriptor(const HostDescriptionOptions& options);

    AAX_Result Clear() override;
    // Recorded by name only: the reference host runs no real-time components.
    AAX_Result AddAudioIn(AAX_CFieldIndex) override { return Logged(__func__); }
    AAX_Result AddAudioOut(AAX_CFieldIndex) override { return Logged(__func__); }
    AAX_Result AddAudioBufferLength(AAX_CFieldIndex) override { return Logged(__func__); }
    AAX_Result AddSampleRate(AAX_CFieldIndex) override { return Logged(__func__); }
    AAX_Result AddClock(AAX_CFieldIndex) override { return Logged(__func__); }
    AAX_Result AddSideChainIn(AAX_CFieldIndex) override { return Logged(__func__); }
    AAX_Result AddDataInPort(AAX_CFieldIndex, uint32, AAX_EDataInPortType) override
    {
        return Logged(__func__);
    }
    AAX_Result AddAuxOutputStem(AAX_CFieldIndex, int32, const char*) override
    {
        return Logged(__func__);
    }
    AAX_Result AddPrivateData(AAX_CFieldIndex, int32, uint32) override { return Logged(__func__); }
    AAX_Result AddDmaInstance(AAX_CFieldIndex, AAX_IDma::EMode) override
    {
        return Logged(__func__);
    }
    AAX_Result AddMeters(AAX_CFieldIndex, const AAX_CTypeID*, uint32) override
    {
        return Logged(__func__);
    }
    AAX_Result AddMIDINode(AAX_CFieldIndex, AAX_EMIDINodeType, const char*, uint32) override
    {
        return Logged(__func__);
    }
    AAX_Result AddReservedField(AAX_CFieldIndex, uint32) override { return Logged(__func__); }
    // Writes a new procedure number (1, 2, ...) when outProcID is given.
    AAX_Result AddProcessProc_Native(AAX_CProcessProc, IACFUnknown* properties,
                                     AAX_CInstanceInitProc, AAX_CBackgroundProc,
                                     AAX_CSelector* outProcID) override;
    AAX_Result AddProcessProc_TI(const char*, const char*, IACFUnknown* properties, const char*,
                                 const char*, AAX_CSelector* outProcID) override;
    AAX_Result AddTemporaryData(AAX_CFieldIndex, uint32) override { return Logged(__func__); }

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

    HostCallLog mLog;
    std::vector<ACFPtr<HostPropertyMap>> mProcMaps;
};

} // namespace orv::host
