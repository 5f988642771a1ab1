#pragma once

#include <memory>
#include <vector>

#include "AAX_IACFComponentDescriptor.h"
#include "AAX_IComponentDescriptor.h"
#include "AAX_VPropertyMap.h"
#include "ACFPtr.h"

// Forwards AAX_IComponentDescriptor to a component descriptor the host's component factory
// makes, and owns the property maps it makes. Missing version 1 gives kResultNullObject,
// missing version 2 (AddTemporaryData) kResultUnimplemented; nothing throws.
class AAX_VComponentDescriptor : public AAX_IComponentDescriptor
{
public:
    // Keeps host (may be null) with one reference and asks its factory for a descriptor.
    explicit AAX_VComponentDescriptor(IACFUnknown* host);
    // Deletes the maps it made, then releases version 2, version 1 and the host object.
    ~AAX_VComponentDescriptor() override;

    AAX_VComponentDescriptor(const AAX_VComponentDescriptor&) = delete;
    AAX_VComponentDescriptor& operator=(const AAX_VComponentDescriptor&) = delete;

    // The host's descriptor (version 1, not counted), or null.
    IACFUnknown* GetIUnknown() const { return mIComponentDescriptor.get(); }

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
    AAX_Result AddTemporaryData(AAX_CFieldIndex fieldIndex, uint32 dataElementSize) override;
    AAX_Result AddDmaInstance(AAX_CFieldIndex fieldIndex, AAX_IDma::EMode dmaMode) override;
    AAX_Result AddMeters(AAX_CFieldIndex fieldIndex, const AAX_CTypeID* meterIDs,
                         uint32 meterCount) override;
    AAX_Result AddMIDINode(AAX_CFieldIndex fieldIndex, AAX_EMIDINodeType nodeType,
                           const char* nodeName, uint32 channelMask) override;
    AAX_Result AddReservedField(AAX_CFieldIndex fieldIndex, uint32 fieldType) override;
    AAX_IPropertyMap* NewPropertyMap() const override;
    AAX_IPropertyMap* DuplicatePropertyMap(AAX_IPropertyMap* source) const override;
    AAX_Result AddProcessProc_Native(AAX_CProcessProc processProc, AAX_IPropertyMap* properties,
                                     AAX_CInstanceInitProc instanceInitProc,
                                     AAX_CBackgroundProc backgroundProc,
                                     AAX_CSelector* outProcID) override;
    AAX_Result AddProcessProc_TI(const char* dllFileName, const char* processProcSymbol,
                                 AAX_IPropertyMap* properties, const char* instanceInitProcSymbol,
                                 const char* backgroundProcSymbol,
                                 AAX_CSelector* outProcID) override;

private:
    ACFPtr<IACFUnknown> mUnknown;
    ACFPtr<AAX_IACFComponentDescriptor> mIComponentDescriptor;
    ACFPtr<AAX_IACFComponentDescriptor_V2> mIComponentDescriptorV2;
    // Making a map does not change what the host sees, hence creating operations are const.
    mutable std::vector<std::unique_ptr<AAX_VPropertyMap>> mPropertyMaps;
};
