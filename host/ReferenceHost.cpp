#include "ReferenceHost.h"

#include "AAX_UIDs.h"

namespace orv::host
{

ReferenceHost::ReferenceHost(const ReferenceHostOptions& options)
    : mServices(new HostServices(options.hostServicesVersion2)),
      mController(new HostController(options.controllerVersion2)),
      mTransport(new HostTransport(options.transportVersion2)), mFactory(new HostComponentFactory),
      mContext(new HostContext)
{
    if (options.offerHostServices)
    {
        // One services object for the whole module: every request shares its log. The
        // factory keeps it alive for as long as the factory itself lives.
        ACFPtr<HostServices> services = mServices;
        mFactory->Register(AAXCompID_HostServices, [services](const _acfUID& iid, void** out)
                           { return services->QueryInterface(iid, out); });
    }
    if (options.offerComponentFactory) mContext->Offer(mFactory.get());
    if (options.offerController) mContext->Offer(mController.get());
    if (options.offerTransport) mContext->Offer(mTransport.get());
}

} // namespace orv::host
