#include "AAX_VCollection.h"

#include "AAX_Errors.h"
#include "AAX_HostObjects.h"

AAX_VCollection::AAX_VCollection(IACFUnknown* host) : mUnknown(host)
{
    AAX_HostObjects::Create(host, AAXCompID_AAXCollection, IID_IAAXCollectionV1, mICollection);
}

AAX_VCollection::~AAX_VCollection()
{
    for (auto& descriptor : mEffectDescriptors)
        descriptor.reset();
    for (auto& map : mPropertyMaps)
        map.reset();
    mICollection.Clear();
    mUnknown.Clear();
}

AAX_IEffectDescriptor* AAX_VCollection::NewDescriptor()
{
    mEffectDescriptors.push_back(std::make_unique<AAX_VEffectDescriptor>(mUnknown.get()));
    return mEffectDescriptors.back().get();
}

AAX_Result AAX_VCollection::AddEffect(const char* effectID, AAX_IEffectDescriptor* descriptor)
{
    if (!mICollection || !descriptor) return kResultNullObject;
    return mICollection->AddEffect(effectID,
                                   AAX_HostObjects::Of<AAX_VEffectDescriptor>(descriptor));
}

AAX_Result AAX_VCollection::SetManufacturerName(const char* name)
{
    if (!mICollection) return kResultNullObject;
    return mICollection->SetManufacturerName(name);
}

AAX_Result AAX_VCollection::AddPackageName(const char* name)
{
    if (!mICollection) return kResultNullObject;
    return mICollection->AddPackageName(name);
}

AAX_Result AAX_VCollection::SetPackageVersion(uint32 version)
{
    if (!mICollection) return kResultNullObject;
    return mICollection->SetPackageVersion(version);
}

AAX_IPropertyMap* AAX_VCollection::NewPropertyMap()
{
    mPropertyMaps.push_back(std::make_unique<AAX_VPropertyMap>(mUnknown.get()));
    return mPropertyMaps.back().get();
}

AAX_Result AAX_VCollection::SetProperties(AAX_IPropertyMap* properties)
{
    if (!mICollection) return kResultNullObject;
    return mICollection->SetProperties(AAX_HostObjects::Of<AAX_VPropertyMap>(properties));
}
