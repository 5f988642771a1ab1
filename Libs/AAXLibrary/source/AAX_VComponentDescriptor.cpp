#include "AAX_VComponentDescriptor.h"

#include "AAX_Errors.h"
#include "AAX_HostObjects.h"

namespace
{
// Every property number a property map may hold.
constexpr int32 kFirstCopiedProperty = AAX_eProperty_MinProp;
constexpr int32 kLastCopiedProperty = AAX_eProperty_MaxProp;
} // namespace

AAX_VComponentDescriptor::AAX_VComponentDescriptor(IACFUnknown* host) : mUnknown(host)
{
    AAX_HostObjects::Create(host, AAXCompID_AAXComponentDescriptor, IID_IAAXComponentDescriptorV1,
                            mIComponentDescriptor);
    AAX_HostObjects::Query(mIComponentDescriptor, IID_IAAXComponentDescriptorV2,
                           mIComponentDescriptorV2);
}

AAX_VComponentDescriptor::~AAX_VComponentDescriptor()
{
    for (auto& map : mPropertyMaps)
        map.reset();
    mIComponentDescriptorV2.Clear();
    mIComponentDescriptor.Clear();
    mUnknown.Clear();
}

AAX_Result AAX_VComponentDescriptor::Clear()
{
    if (!mIComponentDescriptor) return kResultNullObject;
    return mIComponentDescriptor->Clear();
}

AAX_Result AAX_VComponentDescriptor::AddAudioIn(AAX_CFieldIndex fieldIndex)
{
    if (!mIComponentDescriptor) return kResultNullObject;
    return mIComponentDescriptor->AddAudioIn(fieldIndex);
}

AAX_Result AAX_VComponentDescriptor::AddAudioOut(AAX_CFieldIndex fieldIndex)
{
    if (!mIComponentDescriptor) return kResultNullObject;
    return mIComponentDescriptor->AddAudioOut(fieldIndex);
}

AAX_Result AAX_VComponentDescriptor::AddAudioBufferLength(AAX_CFieldIndex fieldIndex)
{
    if (!mIComponentDescriptor) return kResultNullObject;
    return mIComponentDescriptor->AddAudioBufferLength(fieldIndex);
}

AAX_Result AAX_VComponentDescriptor::AddSampleRate(AAX_CFieldIndex fieldIndex)
{
    if (!mIComponentDescriptor) return kResultNullObject;
    return mIComponentDescriptor->AddSampleRate(fieldIndex);
}

AAX_Result AAX_VComponentDescriptor::AddClock(AAX_CFieldIndex fieldIndex)
{
    if (!mIComponentDescriptor) return kResultNullObject;
    return mIComponentDescriptor->AddClock(fieldIndex);
}

AAX_Result AAX_VComponentDescriptor::AddSideChainIn(AAX_CFieldIndex fieldIndex)
{
    if (!mIComponentDescriptor) return kResultNullObject;
    return mIComponentDescriptor->AddSideChainIn(fieldIndex);
}

AAX_Result AAX_VComponentDescriptor::AddDataInPort(AAX_CFieldIndex fieldIndex, uint32 packetSize,
                                                   AAX_EDataInPortType portType)
{
    if (!mIComponentDescriptor) return kResultNullObject;
    return mIComponentDescriptor->AddDataInPort(fieldIndex, packetSize, portType);
}

AAX_Result AAX_VComponentDescriptor::AddAuxOutputStem(AAX_CFieldIndex fieldIndex, int32 stemFormat,
                                                      const char* name)
{
    if (!mIComponentDescriptor) return kResultNullObject;
    return mIComponentDescriptor->AddAuxOutputStem(fieldIndex, stemFormat, name);
}

AAX_Result AAX_VComponentDescriptor::AddPrivateData(AAX_CFieldIndex fieldIndex, int32 dataSize,
                                                    uint32 options)
{
    if (!mIComponentDescriptor) return kResultNullObject;
    return mIComponentDescriptor->AddPrivateData(fieldIndex, dataSize, options);
}

AAX_Result AAX_VComponentDescriptor::AddTemporaryData(AAX_CFieldIndex fieldIndex,
                                                      uint32 dataElementSize)
{
    if (!mIComponentDescriptorV2) return kResultUnimplemented;
    return mIComponentDescriptorV2->AddTemporaryData(fieldIndex, dataElementSize);
}

AAX_Result AAX_VComponentDescriptor::AddDmaInstance(AAX_CFieldIndex fieldIndex,
                                                    AAX_IDma::EMode dmaMode)
{
    if (!mIComponentDescriptor) return kResultNullObject;
    return mIComponentDescriptor->AddDmaInstance(fieldIndex, dmaMode);
}

AAX_Result AAX_VComponentDescriptor::AddMeters(AAX_CFieldIndex fieldIndex,
                                               const AAX_CTypeID* meterIDs, uint32 meterCount)
{
    if (!mIComponentDescriptor) return kResultNullObject;
    return mIComponentDescriptor->AddMeters(fieldIndex, meterIDs, meterCount);
}

AAX_Result AAX_VComponentDescriptor::AddMIDINode(AAX_CFieldIndex fieldIndex,
                                                 AAX_EMIDINodeType nodeType, const char* nodeName,
                                                 uint32 channelMask)
{
    if (!mIComponentDescriptor) return kResultNullObject;
    return mIComponentDescriptor->AddMIDINode(fieldIndex, nodeType, nodeName, channelMask);
}

AAX_Result AAX_VComponentDescriptor::AddReservedField(AAX_CFieldIndex fieldIndex, uint32 fieldType)
{
    if (!mIComponentDescriptor) return kResultNullObject;
    return mIComponentDescriptor->AddReservedField(fieldIndex, fieldType);
}

AAX_IPropertyMap* AAX_VComponentDescriptor::NewPropertyMap() const
{
    mPropertyMaps.push_back(std::make_unique<AAX_VPropertyMap>(mUnknown.get()));
    return mPropertyMaps.back().get();
}

AAX_IPropertyMap* AAX_VComponentDescriptor::DuplicatePropertyMap(AAX_IPropertyMap* source) const
{
    AAX_IPropertyMap* copy = NewPropertyMap();
    if (!source) return copy;
    for (int32 property = kFirstCopiedProperty; property <= kLastCopiedProperty; ++property)
    {
        AAX_CPropertyValue value = 0;
        if (source->GetProperty(static_cast<AAX_EProperty>(property), &value))
            copy->AddProperty(static_cast<AAX_EProperty>(property), value);
    }
    return copy;
}

AAX_Result AAX_VComponentDescriptor::AddProcessProc_Native(AAX_CProcessProc processProc,
                                                           AAX_IPropertyMap* properties,
                                                           AAX_CInstanceInitProc instanceInitProc,
                                                           AAX_CBackgroundProc backgroundProc,
                                                           AAX_CSelector* outProcID)
{
    if (!mIComponentDescriptor) return kResultNullObject;
    return mIComponentDescriptor->AddProcessProc_Native(
        processProc, AAX_HostObjects::Of<AAX_VPropertyMap>(properties), instanceInitProc,
        backgroundProc, outProcID);
}

AAX_Result AAX_VComponentDescriptor::AddProcessProc_TI(
    const char* dllFileName, const char* processProcSymbol, AAX_IPropertyMap* properties,
    const char* instanceInitProcSymbol, const char* backgroundProcSymbol, AAX_CSelector* outProcID)
{
    if (!mIComponentDescriptor) return kResultNullObject;
    return mIComponentDescriptor->AddProcessProc_TI(
        dllFileName, processProcSymbol, AAX_HostObjects::Of<AAX_VPropertyMap>(properties),
        instanceInitProcSymbol, backgroundProcSymbol, outProcID);
}
