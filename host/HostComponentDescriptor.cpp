#include "HostComponentDescriptor.h"

#include "AAX_UIDs.h"

namespace orv::host
{

HostComponentDescriptor::HostComponentDescriptor(const HostDescriptionOptions& options)
    : HostVersionedUnknown(options.componentDescriptorVersion2)
{
}

AAX_Result HostComponentDescriptor::Logged(const char* operation)
{
    mLog.Add(operation);
    return kResultSuccess;
}

AAX_Result HostComponentDescriptor::Clear()
{
    mProcMaps.clear();
    return Logged("Clear");
}

AAX_Result HostComponentDescriptor::AddProcessProc(const char* operation, IACFUnknown* properties,
                                                   AAX_CSelector* outProcID)
{
    mProcMaps.push_back(HostPropertyMap::From(properties));
    if (outProcID) *outProcID = static_cast<AAX_CSelector>(mProcMaps.size());
    return Logged(operation);
}

AAX_Result HostComponentDescriptor::AddProcessProc_Native(AAX_CProcessProc, IACFUnknown* properties,
                                                          AAX_CInstanceInitProc,
                                                          AAX_CBackgroundProc,
                                                          AAX_CSelector* outProcID)
{
    return AddProcessProc("AddProcessProc_Native", properties, outProcID);
}

AAX_Result HostComponentDescriptor::AddProcessProc_TI(const char*, const char*,
                                                      IACFUnknown* properties, const char*,
                                                      const char*, AAX_CSelector* outProcID)
{
    return AddProcessProc("AddProcessProc_TI", properties, outProcID);
}

ACFPtr<HostComponentDescriptor> HostComponentDescriptor::From(IACFUnknown* object)
{
    return HostObjectBehind<HostComponentDescriptor>(object, IID_HostComponentDescriptorSelf);
}

void* HostComponentDescriptor::Find(const _acfUID& iid)
{
    if (iid == IID_HostComponentDescriptorSelf) return this;
    return HostVersionedUnknown::Find(iid);
}

} // namespace orv::host
