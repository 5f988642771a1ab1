#pragma once

#include "AAX.h"
#include "IACFComponentDefinition.h"
#include "IACFPluginDefinition.h"
#include "IACFUnknown.h"

namespace orv::host
{

// The seven functions a module exports, as the host calls them.
struct ModuleEntryPoints
{
    using RegisterPlugin = ACFRESULT (*)(IACFUnknown*, IACFPluginDefinition**);
    using RegisterComponent = ACFRESULT (*)(IACFUnknown*, acfUInt32, IACFComponentDefinition**);
    using GetClassFactory = ACFRESULT (*)(IACFUnknown*, const acfCLSID&, const acfIID&, void**);
    using CanUnloadNow = ACFRESULT (*)(IACFUnknown*);
    using Startup = ACFRESULT (*)(IACFUnknown*);
    using Shutdown = ACFRESULT (*)(IACFUnknown*);
    using GetSDKVersion = ACFRESULT (*)(uint64*);

    RegisterPlugin registerPlugin = nullptr;
    RegisterComponent registerComponent = nullptr;
    GetClassFactory getClassFactory = nullptr;
    CanUnloadNow canUnloadNow = nullptr;
    Startup startup = nullptr;
    Shutdown shutdown = nullptr;
    GetSDKVersion getSDKVersion = nullptr;
};

// The exported names, in the order of the fields above.
inline constexpr const char* kModuleEntryPointNames[] = {
    "ACFRegisterPlugin", "ACFRegisterComponent", "ACFGetClassFactory", "ACFCanUnloadNow",
    "ACFStartup",        "ACFShutdown",          "ACFGetSDKVersion",
};

} // namespace orv::host
