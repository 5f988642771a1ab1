#pragma once

#include "AAX_IACFPropertyMap.h"
#include "AAX_IPropertyMap.h"
#include "ACFPtr.h"

// Forwards AAX_IPropertyMap to a property map the host's component factory makes. Version-1
// operations answer kResultNullObject (or false) when the host made no map, version-2 ones
// kResultUnimplemented (or false) when the map lacks version 2; nothing throws.
class AAX_VPropertyMap : public AAX_IPropertyMap
{
public:
    // Asks host's factory (host borrowed, may be null; not kept) for a new map.
    explicit AAX_VPropertyMap(IACFUnknown* host);
    ~AAX_VPropertyMap() override;

    AAX_VPropertyMap(const AAX_VPropertyMap&) = delete;
    AAX_VPropertyMap& operator=(const AAX_VPropertyMap&) = delete;

    // The host's map as the host sees it (not counted), or null when there is none.
    IACFUnknown* GetIUnknown() const { return mIPropertyMap.get(); }

    AAX_CBoolean GetProperty(AAX_EProperty property, AAX_CPropertyValue* outValue) const override;
    AAX_Result AddProperty(AAX_EProperty property, AAX_CPropertyValue value) override;
    AAX_Result RemoveProperty(AAX_EProperty property) override;
    AAX_Result AddPropertyWithIDArray(AAX_EProperty property,
                                      const AAX_SPlugInIdentifierTriad* pluginIDs,
                                      uint32 count) override;
    AAX_CBoolean GetPropertyWithIDArray(AAX_EProperty property,
                                        const AAX_SPlugInIdentifierTriad** outPluginIDs,
                                        uint32* outCount) const override;

private:
    ACFPtr<AAX_IACFPropertyMap> mIPropertyMap;
    ACFPtr<AAX_IACFPropertyMap_V2> mIPropertyMapV2;
};
