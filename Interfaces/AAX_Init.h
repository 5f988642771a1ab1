#pragma once

#include "AAX.h"
#include "IACFComponentDefinition.h"
#include "IACFPluginDefinition.h"
#include "IACFUnknown.h"

class AAX_ICollection;

// The library side of the module's seven entry points. Each does the work of the export of
// the same name (ACF... instead of AAX...); the exports only add the exception guard. Host
// objects passed in are borrowed.

// The version of this library: 0x0202 in the upper 32 bits, the build number below.
constexpr uint64 kAAXLibraryVersion = 0x00000202009816E6ULL;

// Describes the plug-in into a collection over host and hands the host collection back as
// IACFPluginDefinition (counted, for the host) in outDefinition. The description's failure
// code is returned unchanged with outDefinition untouched; a collection without the plug-in
// definition interface gives kResultNullObject.
AAX_Result AAXRegisterPlugin(IACFUnknown* host, IACFPluginDefinition** outDefinition);
// The module registers no separate components: null and kResultSuccess.
AAX_Result AAXRegisterComponent(IACFUnknown* host, uint32 index,
                                IACFComponentDefinition** outDefinition);
// The module offers no class factory: null and kResultUnimplemented.
AAX_Result AAXGetClassFactory(IACFUnknown* host, const acfCLSID& classID, const acfIID& iid,
                              void** outFactory);
// The number of live components; 0 means the module may be unloaded. Safe from any thread.
AAX_Result AAXCanUnloadNow(IACFUnknown* host);
// Installs the module-wide host services from host (a second start-up keeps the first).
AAX_Result AAXStartup(IACFUnknown* host);
// Removes the module-wide host services; without them it does nothing.
AAX_Result AAXShutdown(IACFUnknown* host);
// Writes kAAXLibraryVersion; a null out pointer gives kResultNullArgument.
AAX_Result AAXGetSDKVersion(uint64* outVersion);

// The plug-in's description entry, defined by the plug-in: describes its effects into
// collection and returns a result code.
AAX_Result GetEffectDescriptions(AAX_ICollection* collection);
