#include "HostPropertyMap.h"

#include <algorithm>

#include "AAX_UIDs.h"

namespace orv::host
{

HostPropertyMap::HostPropertyMap(const HostDescriptionOptions& options)
    : HostVersionedUnknown(options.propertyMapVersion2)
{
}

AAX_CBoolean HostPropertyMap::GetProperty(AAX_EProperty property, AAX_CPropertyValue* outValue)
{
    mLog.Add("GetProperty");
    auto found = std::find_if(mEntries.begin(), mEntries.end(),
                              [property](const Entry& entry) { return entry.first == property; });
    if (found == mEntries.end()) return false;
    if (outValue) *outValue = found->second;
    return true;
}

AAX_Result HostPropertyMap::AddProperty(AAX_EProperty property, AAX_CPropertyValue value)
{
    mLog.Add("AddProperty");
    for (auto& entry : mEntries)
    {
        if (entry.first != property) continue;
        entry.second = value;
        return kResultSuccess;
    }
    mEntries.emplace_back(property, value);
    return kResultSuccess;
}

AAX_Result HostPropertyMap::RemoveProperty(AAX_EProperty property)
{
    mLog.Add("RemoveProperty");
    mEntries.erase(std::remove_if(mEntries.begin(), mEntries.end(),
                                  [property](const Entry& entry)
                                  { return entry.first == property; }),
                   mEntries.end());
    return kResultSuccess;
}

AAX_Result HostPropertyMap::AddPropertyWithIDArray(AAX_EProperty property,
                                                   const AAX_SPlugInIdentifierTriad* pluginIDs,
                                                   uint32 count)
{
    mLog.Add("AddPropertyWithIDArray");
    if (!pluginIDs && count > 0) return kResultNullArgument;
    std::vector<AAX_SPlugInIdentifierTriad> ids(pluginIDs, pluginIDs + count);
    for (auto& array : mIDArrays)
    {
        if (array.property != property) continue;
        array.ids = std::move(ids);
        return kResultSuccess;
    }
    mIDArrays.push_back({property, std::move(ids)});
    return kResultSuccess;
}

AAX_CBoolean HostPropertyMap::GetPropertyWithIDArray(
    AAX_EProperty property, const AAX_SPlugInIdentifierTriad** outPluginIDs, uint32* outCount)
{
    mLog.Add("GetPropertyWithIDArray");
    for (const auto& array : mIDArrays)
    {
        if (array.property != property) continue;
        if (outPluginIDs) *outPluginIDs = array.ids.data();
        if (outCount) *outCount = static_cast<uint32>(array.ids.size());
        return true;
    }
    return false;
}

ACFPtr<HostPropertyMap> HostPropertyMap::From(IACFUnknown* object)
{
    return HostObjectBehind<HostPropertyMap>(object, IID_HostPropertyMapSelf);
}

void* HostPropertyMap::Find(const _acfUID& iid)
{
    if (iid == IID_HostPropertyMapSelf) return this;
    return HostVersionedUnknown::Find(iid);
}

} // namespace orv::host
