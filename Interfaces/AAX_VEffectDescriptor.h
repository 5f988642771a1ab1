#pragma once

#include <memory>
#include <vector>

#include "AAX_IACFEffectDescriptor.h"
#include "AAX_IEffectDescriptor.h"
#include "AAX_VComponentDescriptor.h"
#include "AAX_VPropertyMap.h"
#include "ACFPtr.h"

// Forwards AAX_IEffectDescriptor to an effect descriptor the host's component factory makes,
// and owns the component descriptors and property maps it makes. Missing version 1 gives
// kResultNullObject, missing version 2 (AddControlMIDINode) kResultUnimplemented.
class AAX_VEffectDescriptor : public AAX_IEffectDescriptor
{
public:
    // Keeps host (may be null) with one reference and asks its factory for a descriptor.
    explicit AAX_VEffectDescriptor(IACFUnknown* host);
    // Deletes the component descriptors, then the maps it made; then releases version 2,
    // version 1 and the host object.
    ~AAX_VEffectDescriptor() override;

    AAX_VEffectDescriptor(const AAX_VEffectDescriptor&) = delete;
    AAX_VEffectDescriptor& operator=(const AAX_VEffectDescriptor&) = delete;

    // The host's descriptor (version 1, not counted), or null.
    IACFUnknown* GetIUnknown() const { return mIEffectDescriptor.get(); }

    AAX_IComponentDescriptor* NewComponentDescriptor() override;
    AAX_Result AddComponent(AAX_IComponentDescriptor* componentDescriptor) override;
    AAX_Result AddName(const char* name) override;
    AAX_Result AddCategory(uint32 category) override;
    AAX_Result AddCategoryBypassParameter(uint32 category, AAX_CParamID parameterID) override;
    AAX_Result AddProcPtr(void* procedure, AAX_CProcPtrID procID) override;
    AAX_IPropertyMap* NewPropertyMap() override;
    AAX_Result SetProperties(AAX_IPropertyMap* properties) override;
    AAX_Result AddResourceInfo(AAX_EResourceType resourceType, const char* info) override;
    AAX_Result AddMeterDescription(AAX_CTypeID meterID, const char* meterName,
                                   AAX_IPropertyMap* properties) override;
    AAX_Result AddControlMIDINode(AAX_CTypeID nodeID, AAX_EMIDINodeType nodeType,
                                  const char* nodeName, uint32 channelMask) override;

private:
    ACFPtr<IACFUnknown> mUnknown;
    ACFPtr<AAX_IACFEffectDescriptor> mIEffectDescriptor;
    ACFPtr<AAX_IACFEffectDescriptor_V2> mIEffectDescriptorV2;
    std::vector<std::unique_ptr<AAX_VComponentDescriptor>> mComponentDescriptors;
    std::vector<std::unique_ptr<AAX_VPropertyMap>> mPropertyMaps;
};
