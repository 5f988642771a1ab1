#include "AAX_VHostServices.h"

#include "AAX_Errors.h"

AAX_VHostServices::AAX_VHostServices(IACFUnknown* host)
{
    if (!host) return;
    ACFPtr<IACFComponentFactory> factory;
    if (host->QueryInterface(IID_IACFComponentFactory, reinterpret_cast<void**>(&factory)) !=
            kResultSuccess ||
        !factory)
        return;
    // A failed creation leaves its holder empty; the operations report that.
    factory->CreateComponent(AAXCompID_HostServices, nullptr, IID_IAAXHostServicesV1,
                             reinterpret_cast<void**>(&mIHostServices));
    factory->CreateComponent(AAXCompID_HostServices, nullptr, IID_IAAXHostServicesV2,
                             reinterpret_cast<void**>(&mIHostServicesV2));
}

AAX_Result AAX_VHostServices::Assert(const char* file, int32 line, const char* note)
{
    if (!mIHostServices) return kResultNullObject;
    return mIHostServices->Assert(file, line, note);
}

AAX_Result AAX_VHostServices::Trace(int32 priority, const char* message)
{
    if (!mIHostServices) return kResultNullObject;
    return mIHostServices->Trace(priority, message);
}

AAX_Result AAX_VHostServices::StackTrace(int32 tracePriority, int32 stackTracePriority,
                                         const char* message)
{
    if (!mIHostServicesV2) return kResultUnimplemented;
    return mIHostServicesV2->StackTrace(tracePriority, stackTracePriority, message);
}
