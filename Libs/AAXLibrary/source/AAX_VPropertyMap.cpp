#include "AAX_VPropertyMap.h"

#include "AAX_Errors.h"
#include "AAX_HostObjects.h"

AAX_VPropertyMap::AAX_VPropertyMap(IACFUnknown* host)
{
    AAX_HostObjects::Create(host, AAXCompID_AAXPropertyMap, IID_IAAXPropertyMapV1, mIPropertyMap);
    AAX_HostObjects::Query(mIPropertyMap, IID_IAAXPropertyMapV2, mIPropertyMapV2);
}

AAX_VPropertyMap::~AAX_VPropertyMap()
{
    mIPropertyMapV2.Clear();
    mIPropertyMap.Clear();
}

AAX_CBoolean AAX_VPropertyMap::GetProperty(AAX_EProperty property,
                                           AAX_CPropertyValue* outValue) const
{
    if (!mIPropertyMap) return false;
    return mIPropertyMap->GetProperty(property, outValue);
}

AAX_Result AAX_VPropertyMap::AddProperty(AAX_EProperty property, AAX_CPropertyValue value)
{
    if (!mIPropertyMap) return kResultNullObject;
    return mIPropertyMap->AddProperty(property, value);
}

AAX_Result AAX_VPropertyMap::RemoveProperty(AAX_EProperty property)
{
    if (!mIPropertyMap) return kResultNullObject;
    return mIPropertyMap->RemoveProperty(property);
}

AAX_Result AAX_VPropertyMap::AddPropertyWithIDArray(AAX_EProperty property,
                                                    const AAX_SPlugInIdentifierTriad* pluginIDs,
                                                    uint32 count)
{
    if (!mIPropertyMapV2) return kResultUnimplemented;
    return mIPropertyMapV2->AddPropertyWithIDArray(property, pluginIDs, count);
}

AAX_CBoolean AAX_VPropertyMap::GetPropertyWithIDArray(
    AAX_EProperty property, const AAX_SPlugInIdentifierTriad** outPluginIDs, uint32* outCount) const
{
    if (!mIPropertyMapV2) return false;
    return mIPropertyMapV2->GetPropertyWithIDArray(property, outPluginIDs, outCount);
}
