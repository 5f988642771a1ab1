#pragma once

#include <utility>
#include <vector>

#include "AAX_IACFPropertyMap.h"
#include "AAX_UIDs.h"
#include "ACFPtr.h"
#include "HostCallLog.h"
#include "HostDescriptionOptions.h"
#include "HostObjectBehind.h"
#include "HostVersionedUnknown.h"

namespace orv::host
{

// The host's property map: keeps properties in the order they were first added (a later
// AddProperty replaces the value in place) and the identifier arrays. Used on the host's
// main thread during registration; read afterwards.
class HostPropertyMap : public HostVersionedUnknown<AAX_IACFPropertyMap, AAX_IACFPropertyMap_V2,
                                                    IID_IAAXPropertyMapV1, IID_IAAXPropertyMapV2>
{
public:
    using Entry = std::pair<int32, int32>;

    explicit HostPropertyMap(const HostDescriptionOptions& options);

    AAX_CBoolean GetProperty(AAX_EProperty property, AAX_CPropertyValue* outValue) override;
    AAX_Result AddProperty(AAX_EProperty property, AAX_CPropertyValue value) override;
    AAX_Result RemoveProperty(AAX_EProperty property) override;
    // A null array with a non-zero count is refused with kResultNullArgument.
    AAX_Result AddPropertyWithIDArray(AAX_EProperty property,
                                      const AAX_SPlugInIdentifierTriad* pluginIDs,
                                      uint32 count) override;
    AAX_CBoolean GetPropertyWithIDArray(AAX_EProperty property,
                                        const AAX_SPlugInIdentifierTriad** outPluginIDs,
                                        uint32* outCount) override;

    // The host's own map behind object, counted, or empty when object is not one.
    static ACFPtr<HostPropertyMap> From(IACFUnknown* object);

    const std::vector<Entry>& Entries() const { return mEntries; }
    const HostCallLog& Log() const { return mLog; }

protected:
    void* Find(const _acfUID& iid) override;

private:
    struct IDArray
    {
        int32 property;
        std::vector<AAX_SPlugInIdentifierTriad> ids;
    };

    std::vector<Entry> mEntries;
    std::vector<IDArray> mIDArrays;
    HostCallLog mLog;
};

} // namespace orv::host
