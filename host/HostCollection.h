#pragma once

#include <string>
#include <vector>

#include "AAX_IACFCollection.h"
#include "ACFPtr.h"
#include "HostCallLog.h"
#include "HostDescriptionOptions.h"
#include "HostEffectDescriptor.h"
#include "HostObjectBehind.h"
#include "HostPropertyMap.h"
#include "HostUnknown.h"

namespace orv::host
{

// The host's record of a registered package: manufacturer, package names and version, and
// the effects with their identifiers, in the order given. Registration hands it back as
// IACFPluginDefinition; the host then keeps it as the plug-in's description. Main thread
// only.
class HostCollection : public HostUnknown<AAX_IACFCollection, IACFPluginDefinition>
{
public:
    struct Effect
    {
        std::string id;
        ACFPtr<HostEffectDescriptor> descriptor;
    };

    explicit HostCollection(const HostDescriptionOptions& options);

    // A descriptor that is not one of the host's is refused with kResultNullObject.
    AAX_Result AddEffect(const char* effectID, IACFUnknown* descriptor) override;
    AAX_Result SetManufacturerName(const char* name) override;
    AAX_Result AddPackageName(const char* name) override;
    AAX_Result SetPackageVersion(uint32 version) override;
    AAX_Result SetProperties(IACFUnknown* properties) override;

    static ACFPtr<HostCollection> From(IACFUnknown* object);

    const std::string& ManufacturerName() const { return mManufacturer; }
    const std::vector<std::string>& PackageNames() const { return mPackageNames; }
    uint32 PackageVersion() const { return mPackageVersion; }
    const std::vector<Effect>& Effects() const { return mEffects; }
    const HostPropertyMap* Properties() const { return mProperties.get(); }
    const HostCallLog& Log() const { return mLog; }

protected:
    void* Find(const _acfUID& iid) override;

private:
    const HostDescriptionOptions mOptions;
    std::string mManufacturer;
    std::vector<std::string> mPackageNames;
    uint32 mPackageVersion = 0;
    std::vector<Effect> mEffects;
    ACFPtr<HostPropertyMap> mProperties;
    HostCallLog mLog;
};

} // namespace orv::host
