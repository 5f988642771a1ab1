// The module's only exported symbols: the seven entry points the host looks up by plain
// name. Everything else in the module stays local (hidden visibility, version script).

#include "AAX_ExportGuard.h"
#include "AAX_Init.h"

#define AAX_EXPORT extern "C" __attribute__((visibility("default")))

AAX_EXPORT ACFRESULT ACFRegisterPlugin(IACFUnknown* host, IACFPluginDefinition** outDefinition)
{
    return AAX_ExportGuard([&] { return AAXRegisterPlugin(host, outDefinition); });
}

AAX_EXPORT ACFRESULT ACFRegisterComponent(IACFUnknown* host, acfUInt32 index,
                                          IACFComponentDefinition** outDefinition)
{
    return AAX_ExportGuard([&] { return AAXRegisterComponent(host, index, outDefinition); });
}

AAX_EXPORT ACFRESULT ACFGetClassFactory(IACFUnknown* host, const acfCLSID& classID,
                                        const acfIID& iid, void** outFactory)
{
    return AAX_ExportGuard([&] { return AAXGetClassFactory(host, classID, iid, outFactory); });
}

AAX_EXPORT ACFRESULT ACFCanUnloadNow(IACFUnknown* host)
{
    return AAX_ExportGuard([&] { return AAXCanUnloadNow(host); });
}

AAX_EXPORT ACFRESULT ACFStartup(IACFUnknown* host)
{
    return AAX_ExportGuard([&] { return AAXStartup(host); });
}

AAX_EXPORT ACFRESULT ACFShutdown(IACFUnknown* host)
{
    return AAX_ExportGuard([&] { return AAXShutdown(host); });
}

AAX_EXPORT ACFRESULT ACFGetSDKVersion(uint64* outVersion)
{
    return AAX_ExportGuard([&] { return AAXGetSDKVersion(outVersion); });
}
