#include "HostEffectDescriptor.h"

#include "AAX_UIDs.h"

namespace orv::host
{

HostEffectDescriptor::HostEffectDescriptor(const HostDescriptionOptions& options)
    : HostVersionedUnknown(options.effectDescriptorVersion2), mOptions(options)
{
}

AAX_Result HostEffectDescriptor::AddComponent(IACFUnknown* component)
{
    mLog.Add("AddComponent");
    ACFPtr<HostComponentDescriptor> descriptor = HostComponentDescriptor::From(component);
    if (!descriptor) return kResultNullObject;
    mComponents.push_back(std::move(descriptor));
    return kResultSuccess;
}

AAX_Result HostEffectDescriptor::AddName(const char* name)
{
    mLog.Add("AddName");
    if (mOptions.throwInAddName) throw static_cast<int>(kResultUnexpected);
    if (!name) return kResultNullArgument;
    mNames.emplace_back(name);
    return kResultSuccess;
}

AAX_Result HostEffectDescriptor::AddCategory(uint32 category)
{
    mLog.Add("AddCategory");
    mCategories.push_back(category);
    return kResultSuccess;
}

AAX_Result HostEffectDescriptor::AddCategoryBypassParameter(uint32, AAX_CParamID)
{
    mLog.Add("AddCategoryBypassParameter");
    return kResultSuccess;
}

AAX_Result HostEffectDescriptor::AddProcPtr(void* procedure, AAX_CProcPtrID procID)
{
    mLog.Add("AddProcPtr");
    if (!procedure) return kResultNullArgument;
    mProcedures.push_back({procID, procedure});
    return kResultSuccess;
}

AAX_Result HostEffectDescriptor::SetProperties(IACFUnknown* properties)
{
    mLog.Add("SetProperties");
    if (mOptions.setPropertiesResult != kResultSuccess) return mOptions.setPropertiesResult;
    ACFPtr<HostPropertyMap> map = HostPropertyMap::From(properties);
    if (!map) return kResultNullObject;
    mProperties = std::move(map);
    return kResultSuccess;
}

AAX_Result HostEffectDescriptor::AddResourceInfo(AAX_EResourceType, const char*)
{
    mLog.Add("AddResourceInfo");
    return kResultSuccess;
}

AAX_Result HostEffectDescriptor::AddMeterDescription(AAX_CTypeID, const char*,
                                                     IACFUnknown* properties)
{
    mLog.Add("AddMeterDescription");
    mMeterMaps.push_back(HostPropertyMap::From(properties));
    return kResultSuccess;
}

AAX_Result HostEffectDescriptor::AddControlMIDINode(AAX_CTypeID, AAX_EMIDINodeType, const char*,
                                                    uint32)
{
    mLog.Add("AddControlMIDINode");
    return kResultSuccess;
}

void* HostEffectDescriptor::FindProcedure(AAX_CProcPtrID id) const
{
    for (const auto& procedure : mProcedures)
        if (procedure.id == id) return procedure.procedure;
    return nullptr;
}

ACFPtr<HostEffectDescriptor> HostEffectDescriptor::From(IACFUnknown* object)
{
    return HostObjectBehind<HostEffectDescriptor>(object, IID_HostEffectDescriptorSelf);
}

void* HostEffectDescriptor::Find(const _acfUID& iid)
{
    if (iid == IID_HostEffectDescriptorSelf) return this;
    return HostVersionedUnknown::Find(iid);
}

} // namespace orv::host
