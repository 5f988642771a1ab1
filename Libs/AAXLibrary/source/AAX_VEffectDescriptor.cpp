#include "AAX_VEffectDescriptor.h"

#include "AAX_Errors.h"
#include "AAX_HostObjects.h"

AAX_VEffectDescriptor::AAX_VEffectDescriptor(IACFUnknown* host) : mUnknown(host)
{
    AAX_HostObjects::Create(host, AAXCompID_AAXEffectDescriptor, IID_IAAXEffectDescriptorV1,
                            mIEffectDescriptor);
    AAX_HostObjects::Query(mIEffectDescriptor, IID_IAAXEffectDescriptorV2, mIEffectDescriptorV2);
}

AAX_VEffectDescriptor::~AAX_VEffectDescriptor()
{
    for (auto& descriptor : mComponentDescriptors)
        descriptor.reset();
    for (auto& map : mPropertyMaps)
        map.reset();
    mIEffectDescriptorV2.Clear();
    mIEffectDescriptor.Clear();
    mUnknown.Clear();
}

AAX_IComponentDescriptor* AAX_VEffectDescriptor::NewComponentDescriptor()
{
    mComponentDescriptors.push_back(std::make_unique<AAX_VComponentDescriptor>(mUnknown.get()));
    return mComponentDescriptors.back().get();
}

AAX_Result AAX_VEffectDescriptor::AddComponent(AAX_IComponentDescriptor* componentDescriptor)
{
    if (!mIEffectDescriptor) return kResultNullObject;
    return mIEffectDescriptor->AddComponent(
        AAX_HostObjects::Of<AAX_VComponentDescriptor>(componentDescriptor));
}

AAX_Result AAX_VEffectDescriptor::AddName(const char* name)
{
    if (!mIEffectDescriptor) return kResultNullObject;
    return mIEffectDescriptor->AddName(name);
}

AAX_Result AAX_VEffectDescriptor::AddCategory(uint32 category)
{
    if (!mIEffectDescriptor) return kResultNullObject;
    return mIEffectDescriptor->AddCategory(category);
}

AAX_Result AAX_VEffectDescriptor::AddCategoryBypassParameter(uint32 category,
                                                             AAX_CParamID parameterID)
{
    if (!mIEffectDescriptor) return kResultNullObject;
    return mIEffectDescriptor->AddCategoryBypassParameter(category, parameterID);
}

AAX_Result AAX_VEffectDescriptor::AddProcPtr(void* procedure, AAX_CProcPtrID procID)
{
    if (!mIEffectDescriptor) return kResultNullObject;
    return mIEffectDescriptor->AddProcPtr(procedure, procID);
}

AAX_IPropertyMap* AAX_VEffectDescriptor::NewPropertyMap()
{
    mPropertyMaps.push_back(std::make_unique<AAX_VPropertyMap>(mUnknown.get()));
    return mPropertyMaps.back().get();
}

AAX_Result AAX_VEffectDescriptor::SetProperties(AAX_IPropertyMap* properties)
{
    if (!mIEffectDescriptor) return kResultNullObject;
    return mIEffectDescriptor->SetProperties(AAX_HostObjects::Of<AAX_VPropertyMap>(properties));
}

AAX_Result AAX_VEffectDescriptor::AddResourceInfo(AAX_EResourceType resourceType, const char* info)
{
    if (!mIEffectDescriptor) return kResultNullObject;
    return mIEffectDescriptor->AddResourceInfo(resourceType, info);
}

AAX_Result AAX_VEffectDescriptor::AddMeterDescription(AAX_CTypeID meterID, const char* meterName,
                                                      AAX_IPropertyMap* properties)
{
    if (!mIEffectDescriptor) return kResultNullObject;
    return mIEffectDescriptor->AddMeterDescription(
        meterID, meterName, AAX_HostObjects::Of<AAX_VPropertyMap>(properties));
}

AAX_Result AAX_VEffectDescriptor::AddControlMIDINode(AAX_CTypeID nodeID, AAX_EMIDINodeType nodeType,
                                                     const char* nodeName, uint32 channelMask)
{
    if (!mIEffectDescriptorV2) return kResultUnimplemented;
    return mIEffectDescriptorV2->AddControlMIDINode(nodeID, nodeType, nodeName, channelMask);
}
