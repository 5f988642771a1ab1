#include "ScanCheck.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <set>
#include <vector>

#include "AAX_Errors.h"
#include "AAX_UIDs.h"
#include "CheckContext.h"
#include "PluginModule.h"
#include "ReferenceHost.h"

namespace orv::host::validator
{
namespace
{

using CreateProcedure = IACFUnknown* (*)();

// The create procedures a host knows how to use.
const AAX_CProcPtrID kKnownProcedures[] = {
    kAAX_ProcPtrID_Create_EffectParameters,
    kAAX_ProcPtrID_Create_EffectGUI,
    kAAX_ProcPtrID_Create_HostProcessor,
};

bool IsContractID(const _acfUID& id)
{
    return std::any_of(std::begin(kAAX_ContractIDs), std::end(kAAX_ContractIDs),
                       [&id](const _acfUID* known) { return *known == id; });
}

std::string Text(const _acfUID& id)
{
    char text[48];
    std::snprintf(text, sizeof(text), "%08X-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X", id.Data1,
                  id.Data2, id.Data3, id.Data4[0], id.Data4[1], id.Data4[2], id.Data4[3],
                  id.Data4[4], id.Data4[5], id.Data4[6], id.Data4[7]);
    return text;
}

// An identifier nobody has given out: random bytes, redrawn in the unlikely case of a hit.
_acfUID RandomID(CheckContext& context)
{
    for (;;)
    {
        _acfUID id;
        const std::uint64_t high = context.Random()();
        const std::uint64_t low = context.Random()();
        id.Data1 = static_cast<acfUInt32>(high >> 32);
        id.Data2 = static_cast<uint16_t>(high >> 16);
        id.Data3 = static_cast<uint16_t>(high);
        for (int i = 0; i < 8; ++i)
            id.Data4[i] = static_cast<uint8_t>(low >> (8 * i));
        if (!IsContractID(id)) return id;
    }
}

// The real identifier with its last byte changed, so that only a full comparison tells them
// apart; flipping the top bit keeps clear of the neighbouring versions.
_acfUID LastByteChanged(const _acfUID& id)
{
    _acfUID changed = id;
    changed.Data4[7] ^= 0x80;
    return changed;
}

// The identifiers every question must refuse: a few random ones and each contract
// identifier with its last byte changed.
std::vector<_acfUID> UnknownIDs(CheckContext& context)
{
    std::vector<_acfUID> ids;
    for (std::int64_t i = 0; i < context.Scaled(8); ++i)
        ids.push_back(RandomID(context));
    for (const _acfUID* known : kAAX_ContractIDs)
    {
        const _acfUID changed = LastByteChanged(*known);
        if (!IsContractID(changed)) ids.push_back(changed);
    }
    return ids;
}

// A pointer no answer could legitimately leave in place.
void* Junk()
{
    return reinterpret_cast<void*>(static_cast<std::uintptr_t>(0x5A5A5A5A));
}

// False when the module does not load at all.
bool TimeLoads(CheckContext& context)
{
    using Clock = std::chrono::steady_clock;
    const std::int64_t loads = std::max<std::int64_t>(3, context.Scaled(7));
    double best = 0.0;
    for (std::int64_t i = 0; i < loads; ++i)
    {
        context.Progress("load, start up, register and shut down, load " + std::to_string(i + 1));
        const Clock::time_point start = Clock::now();
        {
            ReferenceHost host;
            std::string error;
            std::unique_ptr<PluginModule> module =
                PluginModule::Load(context.ModulePath(), host, &error);
            if (!module)
            {
                context.Fail(error);
                return false;
            }
        }
        const double took = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
        best = i == 0 ? took : std::min(best, took);
    }
    char line[128];
    std::snprintf(line, sizeof(line),
                  "load, start-up, registration and shutdown: best %.1f ms of %lld", best,
                  static_cast<long long>(loads));
    context.Info(line);
    if (best >= ScanCheck::kLoadBudgetMilliseconds)
        context.Fail(std::string(line) + ", over the budget of 100 ms");
    return true;
}

void AskEntryPoints(CheckContext& context, const PluginModule& module, IACFUnknown* host,
                    const std::vector<_acfUID>& unknown)
{
    const ModuleEntryPoints& entry = module.EntryPoints();
    for (const _acfUID& classID : unknown)
    {
        context.Progress("ACFGetClassFactory for class " + Text(classID));
        for (const _acfUID* iid : {&IID_IACFUnknown, &IID_IACFComponentFactory, &classID})
        {
            void* factory = Junk();
            const ACFRESULT result = entry.getClassFactory(host, classID, *iid, &factory);
            if (result == ACF_OK || factory)
                context.Fail("ACFGetClassFactory(" + Text(classID) + ", " + Text(*iid) +
                             ") answered " + std::to_string(result) +
                             (factory ? " and left the out pointer set" : ""));
        }
    }
    for (const acfUInt32 index : {0u, 1u, 2u, 3u, 0x7FFFFFFFu, 0xFFFFFFFFu})
    {
        context.Progress("ACFRegisterComponent for index " + std::to_string(index));
        auto* definition = static_cast<IACFComponentDefinition*>(Junk());
        entry.registerComponent(host, index, &definition);
        // The module registers no components this way: whatever the code, nothing comes back.
        if (definition)
            context.Fail("ACFRegisterComponent(" + std::to_string(index) +
                         ") left the out pointer set");
    }
    context.Progress("ACFGetSDKVersion");
    uint64 version = 0;
    if (entry.getSDKVersion(&version) != ACF_OK || version == 0)
        context.Fail("ACFGetSDKVersion gives no version");
    if (entry.getSDKVersion(nullptr) == ACF_OK)
        context.Fail("ACFGetSDKVersion accepts a null out pointer");
}

// The procedures a host would call: each known, each once, the parameters among them.
void CheckProcedures(CheckContext& context, const HostEffectDescriptor& effect)
{
    std::set<AAX_CProcPtrID> seen;
    for (const HostEffectDescriptor::Procedure& procedure : effect.Procedures())
    {
        const bool known = std::find(std::begin(kKnownProcedures), std::end(kKnownProcedures),
                                     procedure.id) != std::end(kKnownProcedures);
        if (!known)
            context.Fail("the effect registers an unknown create procedure " +
                         std::to_string(procedure.id));
        if (!seen.insert(procedure.id).second)
            context.Fail("the effect registers create procedure " + std::to_string(procedure.id) +
                         " twice");
        if (!procedure.procedure)
            context.Fail("create procedure " + std::to_string(procedure.id) + " is null");
    }
    if (!seen.count(kAAX_ProcPtrID_Create_EffectParameters))
        context.Fail("the effect registers no effect-parameters component");
}

// The component's identity: what it answers for IACFUnknown (uncounted, for comparing), or
// null when it does not.
void* Identity(IACFUnknown* object)
{
    void* root = nullptr;
    if (object->QueryInterface(IID_IACFUnknown, &root) != ACF_OK || !root) return nullptr;
    static_cast<IACFUnknown*>(root)->Release();
    return root;
}

// One component: answers for the root identity, and every interface it answers leads back to
// that same identity; refuses everything unknown with a null out pointer; and after all the
// questions its reference count is where it was.
void QueryComponent(CheckContext& context, IACFUnknown* component, const std::string& what,
                    const std::vector<_acfUID>& unknown)
{
    context.Progress(what + ": QueryInterface IACFUnknown");
    void* const identity = Identity(component);
    if (!identity) context.Fail(what + " does not answer for IACFUnknown");
    for (const _acfUID* iid : kAAX_ContractIDs)
    {
        context.Progress(what + ": QueryInterface " + Text(*iid));
        void* answer = Junk();
        const ACFRESULT result = component->QueryInterface(*iid, &answer);
        if (result != ACF_OK && answer)
            context.Fail(what + " refuses " + Text(*iid) + " but leaves the out pointer set");
        if (result != ACF_OK) continue;
        if (!answer)
        {
            context.Fail(what + " answers " + Text(*iid) + " with a null interface");
            continue;
        }
        ACFPtr<IACFUnknown> held;
        held.Attach(static_cast<IACFUnknown*>(answer));
        if (Identity(held.get()) != identity)
            context.Fail(what + ": the interface " + Text(*iid) +
                         " answers IACFUnknown with another object");
    }
    for (const _acfUID& iid : unknown)
    {
        context.Progress(what + ": QueryInterface unknown " + Text(iid));
        void* answer = Junk();
        const ACFRESULT result = component->QueryInterface(iid, &answer);
        if (result == ACF_OK && answer) static_cast<IACFUnknown*>(answer)->Release();
        if (result == ACF_OK || answer)
            context.Fail(what + " answers the unknown interface " + Text(iid) +
                         (answer ? " and leaves the out pointer set" : ""));
    }
    context.Progress(what + ": QueryInterface with a null out pointer");
    if (component->QueryInterface(IID_IACFUnknown, nullptr) == ACF_OK)
        context.Fail(what + " accepts a null out pointer");

    // The host holds one reference; every answer above was released again.
    context.Progress(what + ": reference count after the questions");
    const acfUInt32 added = component->AddRef();
    const acfUInt32 released = component->Release();
    if (added != 2 || released != 1)
        context.Fail(what + " counts " + std::to_string(released) +
                     " references after the questions, where the host holds 1");
}

void AskComponents(CheckContext& context, const PluginModule& module,
                   const std::vector<_acfUID>& unknown)
{
    for (const HostEffectDescriptor::Procedure& procedure : module.Effect()->Procedures())
    {
        if (!procedure.procedure) continue;
        const std::string what = "component of procedure " + std::to_string(procedure.id);
        context.Progress("create the " + what);
        IACFUnknown* made = reinterpret_cast<CreateProcedure>(procedure.procedure)();
        if (!made)
        {
            context.Fail("create procedure " + std::to_string(procedure.id) + " made nothing");
            continue;
        }
        ACFPtr<IACFUnknown> component(made);
        QueryComponent(context, component.get(), what, unknown);
    }
    if (module.CanUnloadNow() != 0)
        context.Fail("ACFCanUnloadNow is " + std::to_string(module.CanUnloadNow()) +
                     " after every component was released");
}

} // namespace

const char* ScanCheck::Summary() const
{
    return "load, start-up, registration and shutdown under 100 ms; unknown classes, "
           "components and interfaces refused with a null out pointer";
}

void ScanCheck::Run(CheckContext& context)
{
    if (!TimeLoads(context)) return;

    context.Progress("load the module");
    ReferenceHost host;
    std::string error;
    std::unique_ptr<PluginModule> module = PluginModule::Load(context.ModulePath(), host, &error);
    if (!module)
    {
        context.Fail(error);
        return;
    }
    const std::vector<_acfUID> unknown = UnknownIDs(context);
    AskEntryPoints(context, *module, host.Context(), unknown);
    CheckProcedures(context, *module->Effect());
    AskComponents(context, *module, unknown);
}

} // namespace orv::host::validator
