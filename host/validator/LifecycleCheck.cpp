#include "LifecycleCheck.h"

#include <algorithm>
#include <memory>
#include <vector>

#include "AAX_UIDs.h"
#include "CheckContext.h"
#include "HostAutomationDelegate.h"
#include "HostContext.h"
#include "PluginInstance.h"
#include "PluginModule.h"
#include "ReferenceHost.h"

// Present only in a build with the leak checker; null otherwise.
extern "C" int __lsan_do_recoverable_leak_check() __attribute__((weak));
extern "C" void __lsan_disable() __attribute__((weak));
extern "C" void __lsan_enable() __attribute__((weak));

namespace orv::host::validator
{
namespace
{

using CreateProcedure = IACFUnknown* (*)();

// One instance with every component, as a host makes it when the editor opens, and the
// automation service its parameters register with.
struct LiveInstance
{
    ACFPtr<HostAutomationDelegate> automation;
    std::unique_ptr<PluginInstance> instance;
};

bool MakeInstance(CheckContext& context, const PluginModule& module, ReferenceHost& host,
                  LiveInstance& live)
{
    live.automation = new HostAutomationDelegate;
    std::string error;
    live.instance =
        PluginInstance::Create(module, host, {live.automation.get()}, &error, /*withEditor=*/true);
    if (live.instance) return true;
    context.Fail("an instance cannot be made: " + error);
    return false;
}

// Releases the instance and looks at what it left behind.
void ReleaseInstance(CheckContext& context, LiveInstance& live, const std::string& what)
{
    live.instance.reset();
    const std::vector<std::string> registered = live.automation->Registered();
    if (!registered.empty())
        context.Fail(what + ": " + std::to_string(registered.size()) +
                     " parameters stay registered with the automation after release, the "
                     "first " +
                     registered.front());
    live.automation.Clear();
}

void ExpectUnloadable(CheckContext& context, const PluginModule& module, const std::string& when)
{
    const AAX_Result live = module.CanUnloadNow();
    if (live != 0) context.Fail("ACFCanUnloadNow is " + std::to_string(live) + " " + when);
}

std::unique_ptr<PluginModule> LoadModule(CheckContext& context, ReferenceHost& host)
{
    std::string error;
    std::unique_ptr<PluginModule> module = PluginModule::Load(context.ModulePath(), host, &error);
    if (!module) context.Fail(error);
    return module;
}

void Cold(CheckContext& context)
{
    const std::int64_t rounds = context.Scaled(25);
    for (std::int64_t round = 0; round < rounds && !context.Failed(); ++round)
    {
        const std::string what = "cold round " + std::to_string(round + 1);
        context.Progress(what + ": load, make and release an instance, unload");
        ReferenceHost host;
        std::unique_ptr<PluginModule> module = LoadModule(context, host);
        if (!module) return;
        LiveInstance live;
        if (!MakeInstance(context, *module, host, live)) return;
        ReleaseInstance(context, live, what);
        ExpectUnloadable(context, *module, "after the " + what);
    }
}

void WarmOneAtATime(CheckContext& context, const PluginModule& module, ReferenceHost& host)
{
    const std::int64_t rounds = context.Scaled(100);
    for (std::int64_t round = 0; round < rounds && !context.Failed(); ++round)
    {
        const std::string what = "warm round " + std::to_string(round + 1);
        context.Progress(what + ": make and release an instance");
        LiveInstance live;
        if (!MakeInstance(context, module, host, live)) return;
        ReleaseInstance(context, live, what);
        ExpectUnloadable(context, module, "after the " + what);
    }
}

void WarmSeveralAlive(CheckContext& context, const PluginModule& module, ReferenceHost& host)
{
    const std::int64_t rounds = context.Scaled(10);
    const std::size_t alive =
        static_cast<std::size_t>(std::max<std::int64_t>(2, context.Scaled(8)));
    for (std::int64_t round = 0; round < rounds && !context.Failed(); ++round)
    {
        const std::string what = "round " + std::to_string(round + 1) + " of " +
                                 std::to_string(alive) + " live instances";
        std::vector<LiveInstance> instances(alive);
        for (std::size_t i = 0; i < alive; ++i)
        {
            context.Progress(what + ": make instance " + std::to_string(i + 1));
            if (!MakeInstance(context, module, host, instances[i])) return;
        }
        if (module.CanUnloadNow() <= 0)
            context.Fail("ACFCanUnloadNow is " + std::to_string(module.CanUnloadNow()) + " while " +
                         std::to_string(alive) + " instances are alive");
        // Instances must not depend on one another, so they go in an order of chance.
        std::vector<std::size_t> order(alive);
        for (std::size_t i = 0; i < alive; ++i)
            order[i] = i;
        std::shuffle(order.begin(), order.end(), context.Random());
        for (std::size_t index : order)
        {
            context.Progress(what + ": release instance " + std::to_string(index + 1));
            ReleaseInstance(context, instances[index], what);
        }
        ExpectUnloadable(context, module, "after the " + what);
    }
}

// Every registered procedure on its own, made and released without being initialised, as a
// host does when it only looks.
void BareComponents(CheckContext& context, const PluginModule& module)
{
    const std::int64_t rounds = context.Scaled(20);
    for (std::int64_t round = 0; round < rounds && !context.Failed(); ++round)
    {
        for (const HostEffectDescriptor::Procedure& procedure : module.Effect()->Procedures())
        {
            if (!procedure.procedure) continue;
            const std::string what = "the component of procedure " + std::to_string(procedure.id);
            context.Progress("make and release " + what + " without initialising it");
            IACFUnknown* made = reinterpret_cast<CreateProcedure>(procedure.procedure)();
            if (!made)
            {
                context.Fail("create procedure " + std::to_string(procedure.id) + " made nothing");
                continue;
            }
            ACFPtr<IACFUnknown> component(made);
            component.Clear();
            ExpectUnloadable(context, module, "after " + what + " was released");
        }
    }
}

// One component of the kind registered under id, queried for Interface, taken through
// initialise, uninitialise, initialise again and uninitialise twice, as a host does that
// reloads a session and then tears everything down on its way out.
template <class Interface>
void Reinitialise(CheckContext& context, const PluginModule& module, HostContext& hostContext,
                  AAX_CProcPtrID id, const _acfUID& iid)
{
    void* procedure = module.Effect()->FindProcedure(id);
    if (!procedure) return;
    const std::string what = "the component of procedure " + std::to_string(id);
    context.Progress("make " + what + " to initialise it twice");
    IACFUnknown* made = reinterpret_cast<CreateProcedure>(procedure)();
    if (!made)
    {
        context.Fail("create procedure " + std::to_string(id) + " made nothing");
        return;
    }
    ACFPtr<IACFUnknown> held(made);
    ACFPtr<Interface> component;
    if (held->QueryInterface(iid, reinterpret_cast<void**>(&component)) != ACF_OK || !component)
    {
        context.Fail(what + " does not answer its own interface");
        return;
    }
    const char* const steps[] = {"initialise", "uninitialise", "initialise again", "uninitialise",
                                 "uninitialise a second time"};
    for (const char* step : steps)
    {
        context.Progress(std::string(step) + " " + what);
        const bool up = step[0] == 'i';
        const AAX_Result result =
            up ? component->Initialize(&hostContext) : component->Uninitialize();
        if (up && result != kResultSuccess)
            context.Fail(what + " fails to " + step + " with code " + std::to_string(result));
    }
}

// Every kind of component taken down and brought up again, beside a live instance whose
// parameters component the others are given, as in a host.
void ReinitialiseEach(CheckContext& context, const PluginModule& module, ReferenceHost& host)
{
    const std::int64_t rounds = context.Scaled(10);
    for (std::int64_t round = 0; round < rounds && !context.Failed(); ++round)
    {
        LiveInstance live;
        if (!MakeInstance(context, module, host, live)) return;
        ACFPtr<HostContext> hostContext(new HostContext);
        hostContext->Offer(&host.Factory());
        hostContext->Offer(&host.Controller());
        hostContext->Offer(&host.Transport());
        hostContext->Offer(live.automation.get());
        hostContext->Offer(live.instance->Parameters());
        Reinitialise<AAX_IACFEffectParameters>(context, module, *hostContext.get(),
                                               kAAX_ProcPtrID_Create_EffectParameters,
                                               IID_IAAXEffectParametersV1);
        Reinitialise<AAX_IACFHostProcessor>(context, module, *hostContext.get(),
                                            kAAX_ProcPtrID_Create_HostProcessor,
                                            IID_IAAXHostProcessorV1);
        Reinitialise<AAX_IACFEffectGUI>(context, module, *hostContext.get(),
                                        kAAX_ProcPtrID_Create_EffectGUI, IID_IAAXEffectGUIV1);
        hostContext->Withdraw(live.instance->Parameters());
        ReleaseInstance(context, live, "the reinitialising round");
        ExpectUnloadable(context, module, "after the components were initialised twice");
    }
}

void Warm(CheckContext& context)
{
    context.Progress("load the module for the warm rounds");
    ReferenceHost host;
    std::unique_ptr<PluginModule> module = LoadModule(context, host);
    if (!module) return;
    WarmOneAtATime(context, *module, host);
    WarmSeveralAlive(context, *module, host);
    BareComponents(context, *module);
    ReinitialiseEach(context, *module, host);
}

bool CanLookForLeaks()
{
    return __lsan_do_recoverable_leak_check && __lsan_disable && __lsan_enable;
}

// The first load runs the static set-up of the module and of the libraries it brings in,
// which keep what they make for the life of the process (the module stays mapped in the
// sanitizer build). That is not the lifecycle's doing, so it happens before the leak
// checker watches; a leak of the lifecycle itself repeats in every later round.
void SettleBeforeWatching(CheckContext& context)
{
    context.Progress("first load, before the leak checker watches");
    __lsan_disable();
    {
        ReferenceHost host;
        std::unique_ptr<PluginModule> module = LoadModule(context, host);
        LiveInstance live;
        if (module && MakeInstance(context, *module, host, live))
        {
            ReleaseInstance(context, live, "the first load");
            ExpectUnloadable(context, *module, "after the first load");
        }
    }
    __lsan_enable();
}

void LookForLeaks(CheckContext& context)
{
    if (!CanLookForLeaks())
    {
        context.Info("leaks are looked for in the sanitizer build only");
        return;
    }
    context.Progress("look for leaks");
    // The checker prints what it found, with the stacks, on standard error.
    if (__lsan_do_recoverable_leak_check() != 0)
        context.Fail("memory leaked (the leak checker's report is on standard error)");
}

} // namespace

const char* LifecycleCheck::Summary() const
{
    return "create, initialise, uninitialise and release every component, cold and warm, with "
           "several live instances; ACFCanUnloadNow back to 0; no leaks";
}

void LifecycleCheck::Run(CheckContext& context)
{
    if (CanLookForLeaks()) SettleBeforeWatching(context);
    if (!context.Failed()) Cold(context);
    if (!context.Failed()) Warm(context);
    if (!context.Failed()) LookForLeaks(context);
}

} // namespace orv::host::validator
