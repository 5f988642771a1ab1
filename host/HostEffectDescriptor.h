#pragma once

#include <string>
#include <vector>

#include "AAX_IACFEffectDescriptor.h"
#include "AAX_UIDs.h"
#include "ACFPtr.h"
#include "HostCallLog.h"
#include "HostComponentDescriptor.h"
#include "HostDescriptionOptions.h"
#include "HostObjectBehind.h"
#include "HostPropertyMap.h"
#include "HostVersionedUnknown.h"

namespace orv::host
{

// The host's record of one effect: names, categories, create procedures, property map and
// components, in the order the plug-in gave them. Texts are copied; host objects handed in
// are kept with the host's own references. Main thread only.
class HostEffectDescriptor
    : public HostVersionedUnknown<AAX_IACFEffectDescriptor, AAX_IACFEffectDescriptor_V2,
                                  IID_IAAXEffectDescriptorV1, IID_IAAXEffectDescriptorV2>
{
public:
    struct Procedure
    {
        AAX_CProcPtrID id;
        void* procedure;
    };

    explicit HostEffectDescriptor(const HostDescriptionOptions& options);

    AAX_Result AddComponent(IACFUnknown* component) override;
    AAX_Result AddName(const char* name) override;
    AAX_Result AddCategory(uint32 category) override;
    AAX_Result AddCategoryBypassParameter(uint32 category, AAX_CParamID parameterID) override;
    AAX_Result AddProcPtr(void* procedure, AAX_CProcPtrID procID) override;
    // A later call replaces the map; an object that is not one of the host's maps is refused
    // with kResultNullObject.
    AAX_Result SetProperties(IACFUnknown* properties) override;
    AAX_Result AddResourceInfo(AAX_EResourceType resourceType, const char* info) override;
    AAX_Result AddMeterDescription(AAX_CTypeID meterID, const char* meterName,
                                   IACFUnknown* properties) override;
    AAX_Result AddControlMIDINode(AAX_CTypeID nodeID, AAX_EMIDINodeType nodeType,
                                  const char* nodeName, uint32 channelMask) override;

    static ACFPtr<HostEffectDescriptor> From(IACFUnknown* object);

    const std::vector<std::string>& Names() const { return mNames; }
    const std::vector<uint32>& Categories() const { return mCategories; }
    const std::vector<Procedure>& Procedures() const { return mProcedures; }
    // The procedure registered under id, or null.
    void* FindProcedure(AAX_CProcPtrID id) const;
    // The map given with SetProperties, or null.
    const HostPropertyMap* Properties() const { return mProperties.get(); }
    const std::vector<ACFPtr<HostComponentDescriptor>>& Components() const { return mComponents; }
    const HostCallLog& Log() const { return mLog; }

protected:
    void* Find(const _acfUID& iid) override;

private:
    const HostDescriptionOptions mOptions;
    std::vector<std::string> mNames;
    std::vector<uint32> mCategories;
    std::vector<Procedure> mProcedures;
    ACFPtr<HostPropertyMap> mProperties;
    std::vector<ACFPtr<HostComponentDescriptor>> mComponents;
    std::vector<ACFPtr<HostPropertyMap>> mMeterMaps;
    HostCallLog mLog;
};

} // namespace orv::host
