#include "HostComponentDescriptor.h"

#include "AAX_UIDs.h"

namespace orv::host
{

HostComponentDescriptor::HostComponentDescriptor(const HostDescriptionOptions& options)
    : mVersion2(options.componentDescriptorVersion2)
{
}

AAX_Result HostComponentDescriptor::Logged(const char* operation)
{
    mLog.Add(operation);
    return kResultSuccess;
}

AAX_Result HostComponentDescriptor::Clear()
{
    mProcMaps.clear();
    return Logged("Clear");
}

AAX_Result HostComponentDescriptor::AddAudioIn(AAX_CFieldIndex)
{
    return Logged("AddAudioIn");
}

AAX_Result HostComponentDescriptor::AddAudioOut(AAX_CFieldIndex)
{
    return Logged("AddAudioOut");
}

AAX_Result HostComponentDescriptor::AddAudioBufferLength(AAX_CFieldIndex)
{
    return Logged("AddAudioBufferLength");
}

AAX_Result HostComponentDescriptor::AddSampleRate(AAX_CFieldIndex)
{
    return Logged("AddSampleRate");
}

AAX_Result HostComponentDescriptor::AddClock(AAX_CFieldIndex)
{
    return Logged("AddClock");
}

AAX_Result HostComponentDescriptor::AddSideChainIn(AAX_CFieldIndex)
{
    return Logged("AddSideChainIn");
}

AAX_Result HostComponentDescriptor::AddDataInPort(AAX_CFieldIndex, uint32, AAX_EDataInPortType)
{
    return Logged("AddDataInPort");
}

AAX_Result HostComponentDescriptor::AddAuxOutputStem(AAX_CFieldIndex, int32, const char*)
{
    return Logged("AddAuxOutputStem");
}

AAX_Result HostComponentDescriptor::AddPrivateData(AAX_CFieldIndex, int32, uint32)
{
    return Logged("AddPrivateData");
}

AAX_Result HostComponentDescriptor::AddDmaInstance(AAX_CFieldIndex, AAX_IDma::EMode)
{
    return Logged("AddDmaInstance");
}

AAX_Result HostComponentDescriptor::AddMeters(AAX_CFieldIndex, const AAX_CTypeID*, uint32)
{
    return Logged("AddMeters");
}

AAX_Result HostComponentDescriptor::AddMIDINode(AAX_CFieldIndex, AAX_EMIDINodeType, const char*,
                                                uint32)
{
    return Logged("AddMIDINode");
}

AAX_Result HostComponentDescriptor::AddReservedField(AAX_CFieldIndex, uint32)
{
    return Logged("AddReservedField");
}

AAX_Result HostComponentDescriptor::AddProcessProc(const char* operation, IACFUnknown* properties,
                                                   AAX_CSelector* outProcID)
{
    mProcMaps.push_back(HostPropertyMap::From(properties));
    if (outProcID) *outProcID = static_cast<AAX_CSelector>(mProcMaps.size());
    return Logged(operation);
}

AAX_Result HostComponentDescriptor::AddProcessProc_Native(AAX_CProcessProc, IACFUnknown* properties,
                                                          AAX_CInstanceInitProc,
                                                          AAX_CBackgroundProc,
                                                          AAX_CSelector* outProcID)
{
    return AddProcessProc("AddProcessProc_Native", properties, outProcID);
}

AAX_Result HostComponentDescriptor::AddProcessProc_TI(const char*, const char*,
                                                      IACFUnknown* properties, const char*,
                                                      const char*, AAX_CSelector* outProcID)
{
    return AddProcessProc("AddProcessProc_TI", properties, outProcID);
}

AAX_Result HostComponentDescriptor::AddTemporaryData(AAX_CFieldIndex, uint32)
{
    return Logged("AddTemporaryData");
}

ACFPtr<HostComponentDescriptor> HostComponentDescriptor::From(IACFUnknown* object)
{
    ACFPtr<HostComponentDescriptor> descriptor;
    if (object)
        object->QueryInterface(IID_HostComponentDescriptorSelf,
                               reinterpret_cast<void**>(&descriptor));
    return descriptor;
}

void* HostComponentDescriptor::Find(const _acfUID& iid)
{
    if (iid == IID_HostComponentDescriptorSelf) return this;
    if (iid == IID_IACFUnknown) return AsUnknown();
    if (iid == IID_IAAXComponentDescriptorV1)
        return static_cast<AAX_IACFComponentDescriptor*>(this);
    if (iid == IID_IAAXComponentDescriptorV2 && mVersion2)
        return static_cast<AAX_IACFComponentDescriptor_V2*>(this);
    return nullptr;
}

} // namespace orv::host
