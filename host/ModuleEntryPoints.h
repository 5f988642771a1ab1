#pragma once

#include "AAX.h"
#include "IACFComponentDefinition.h"
#include "IACFPluginDefinition.h"
#include "IACFUnknown.h"

namespace orv::host
{

// One exported function: the name it is exported under and, once resolved, its address.
// Calling it calls the function.
template <class Function> struct ModuleEntryPoint
{
    const char* name;
    Function function = nullptr;

    template <class... Args> ACFRESULT operator()(Args... args) const { return function(args...); }
};

// The seven functions a module exports, each beside its exported name.
struct ModuleEntryPoints
{
    using RegisterPlugin = ACFRESULT (*)(IACFUnknown*, IACFPluginDefinition**);
    using RegisterComponent = ACFRESULT (*)(IACFUnknown*, acfUInt32, IACFComponentDefinition**);
    using GetClassFactory = ACFRESULT (*)(IACFUnknown*, const acfCLSID&, const acfIID&, void**);
    using CanUnloadNow = ACFRESULT (*)(IACFUnknown*);
    using Startup = ACFRESULT (*)(IACFUnknown*);
    using Shutdown = ACFRESULT (*)(IACFUnknown*);
    using GetSDKVersion = ACFRESULT (*)(uint64*);

    ModuleEntryPoint<RegisterPlugin> registerPlugin{"ACFRegisterPlugin"};
    ModuleEntryPoint<RegisterComponent> registerComponent{"ACFRegisterComponent"};
    ModuleEntryPoint<GetClassFactory> getClassFactory{"ACFGetClassFactory"};
    ModuleEntryPoint<CanUnloadNow> canUnloadNow{"ACFCanUnloadNow"};
    ModuleEntryPoint<Startup> startup{"ACFStartup"};
    ModuleEntryPoint<Shutdown> shutdown{"ACFShutdown"};
    ModuleEntryPoint<GetSDKVersion> getSDKVersion{"ACFGetSDKVersion"};
};

} // namespace orv::host
