#include "AAX_Init.h"

#include "AAX_CHostServices.h"
#include "AAX_Errors.h"
#include "AAX_VCollection.h"
#include "CACFUnknown.h"

AAX_Result AAXRegisterPlugin(IACFUnknown* host, IACFPluginDefinition** outDefinition)
{
    // The collection and everything it made are released on every way out; the host keeps
    // what it took through its own references.
    AAX_VCollection collection(host);
    const AAX_Result described = GetEffectDescriptions(&collection);
    if (described != kResultSuccess) return described;
    if (!outDefinition) return kResultNullArgument;

    *outDefinition = nullptr;
    IACFUnknown* hostCollection = collection.GetIUnknown();
    if (!hostCollection) return kResultNullObject;
    void* definition = nullptr;
    if (hostCollection->QueryInterface(IID_IACFPluginDefinition, &definition) != ACF_OK ||
        !definition)
        return kResultNullObject;
    *outDefinition = static_cast<IACFPluginDefinition*>(definition);
    return kResultSuccess;
}

AAX_Result AAXRegisterComponent(IACFUnknown*, uint32, IACFComponentDefinition** outDefinition)
{
    if (outDefinition) *outDefinition = nullptr;
    return kResultSuccess;
}

AAX_Result AAXGetClassFactory(IACFUnknown*, const acfCLSID&, const acfIID&, void** outFactory)
{
    if (outFactory) *outFactory = nullptr;
    return kResultUnimplemented;
}

AAX_Result AAXCanUnloadNow(IACFUnknown*)
{
    return CACFUnknown::GetActiveObjectCount();
}

AAX_Result AAXStartup(IACFUnknown* host)
{
    return AAX_CHostServices::Set(host);
}

AAX_Result AAXShutdown(IACFUnknown*)
{
    AAX_CHostServices::Set(nullptr);
    return kResultSuccess;
}

AAX_Result AAXGetSDKVersion(uint64* outVersion)
{
    if (!outVersion) return kResultNullArgument;
    *outVersion = kAAXLibraryVersion;
    return kResultSuccess;
}
