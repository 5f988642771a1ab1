#include "HostCollection.h"

#include "AAX_UIDs.h"

namespace orv::host
{

HostCollection::HostCollection(const HostDescriptionOptions& options) : mOptions(options)
{
}

AAX_Result HostCollection::AddEffect(const char* effectID, IACFUnknown* descriptor)
{
    mLog.Add("AddEffect");
    if (mOptions.addEffectResult != kResultSuccess) return mOptions.addEffectResult;
    if (!effectID) return kResultNullArgument;
    ACFPtr<HostEffectDescriptor> effect = HostEffectDescriptor::From(descriptor);
    if (!effect) return kResultNullObject;
    mEffects.push_back({effectID, std::move(effect)});
    return kResultSuccess;
}

AAX_Result HostCollection::SetManufacturerName(const char* name)
{
    mLog.Add("SetManufacturerName");
    if (!name) return kResultNullArgument;
    mManufacturer = name;
    return kResultSuccess;
}

AAX_Result HostCollection::AddPackageName(const char* name)
{
    mLog.Add("AddPackageName");
    if (!name) return kResultNullArgument;
    mPackageNames.emplace_back(name);
    return kResultSuccess;
}

AAX_Result HostCollection::SetPackageVersion(uint32 version)
{
    mLog.Add("SetPackageVersion");
    mPackageVersion = version;
    return kResultSuccess;
}

AAX_Result HostCollection::SetProperties(IACFUnknown* properties)
{
    mLog.Add("SetProperties");
    ACFPtr<HostPropertyMap> map = HostPropertyMap::From(properties);
    if (!map) return kResultNullObject;
    mProperties = std::move(map);
    return kResultSuccess;
}

ACFPtr<HostCollection> HostCollection::From(IACFUnknown* object)
{
    return HostObjectBehind<HostCollection>(object, IID_HostCollectionSelf);
}

void* HostCollection::Find(const _acfUID& iid)
{
    if (iid == IID_HostCollectionSelf) return this;
    if (iid == IID_IACFUnknown) return AsUnknown();
    if (iid == IID_IAAXCollectionV1) return static_cast<AAX_IACFCollection*>(this);
    if (iid == IID_IACFPluginDefinition && mOptions.offerPluginDefinition)
        return static_cast<IACFPluginDefinition*>(this);
    return nullptr;
}

} // namespace orv::host
