#pragma once

#include "ACFPtr.h"
#include "HostComponentFactory.h"
#include "HostContext.h"
#include "HostController.h"
#include "HostServices.h"
#include "HostTransport.h"

namespace orv::host
{

// Which host interfaces the reference host offers, to play older or poorer hosts.
struct ReferenceHostOptions
{
    bool offerComponentFactory = true;
    bool offerHostServices = true;
    bool hostServicesVersion2 = true;
    bool offerController = true;
    bool controllerVersion2 = true;
    bool offerTransport = true;
    bool transportVersion2 = true;
};

// The reference host's objects wired together: a host context that answers for the
// component factory, controller and transport, and a factory that makes the host services.
// Every object exists whatever the options say (so tests can look at it); an object that is
// not offered is simply not reachable from the context. The host holds one reference to
// each; the plug-in's references come on top.
class ReferenceHost
{
public:
    explicit ReferenceHost(const ReferenceHostOptions& options = {});
    ~ReferenceHost() = default;

    ReferenceHost(const ReferenceHost&) = delete;
    ReferenceHost& operator=(const ReferenceHost&) = delete;

    // The host object to hand to the module and to components (borrowed).
    IACFUnknown* Context() const { return mContext.get(); }

    HostContext& ContextObject() const { return *mContext.get(); }
    HostComponentFactory& Factory() const { return *mFactory.get(); }
    HostServices& Services() const { return *mServices.get(); }
    HostController& Controller() const { return *mController.get(); }
    HostTransport& Transport() const { return *mTransport.get(); }

private:
    ACFPtr<HostServices> mServices;
    ACFPtr<HostController> mController;
    ACFPtr<HostTransport> mTransport;
    ACFPtr<HostComponentFactory> mFactory;
    ACFPtr<HostContext> mContext;
};

} // namespace orv::host
