#include "PluginInstance.h"

#include "AAX_UIDs.h"
#include "PluginModule.h"
#include "ReferenceHost.h"

namespace orv::host
{

namespace
{

using CreateProcedure = IACFUnknown* (*)();

// Makes the component registered under id and queries it for iid into holder. A missing
// procedure leaves holder empty and succeeds; a component without iid fails.
template <class T>
bool MakeComponent(const HostEffectDescriptor& effect, AAX_CProcPtrID id, const _acfUID& iid,
                   ACFPtr<T>& holder)
{
    void* procedure = effect.FindProcedure(id);
    if (!procedure) return true;
    IACFUnknown* component = reinterpret_cast<CreateProcedure>(procedure)();
    if (!component) return false;
    // The component arrives with count 0: hold it while asking, so a failed query frees it.
    ACFPtr<IACFUnknown> held(component);
    return held->QueryInterface(iid, reinterpret_cast<void**>(&holder)) == kResultSuccess && holder;
}

} // namespace

std::unique_ptr<PluginInstance> PluginInstance::Create(const PluginModule& module,
                                                       ReferenceHost& host,
                                                       const std::vector<IACFUnknown*>& providers,
                                                       std::string* outError, bool withEditor)
{
    auto fail = [outError](const std::string& message)
    {
        if (outError) *outError = message;
        return nullptr;
    };
    const HostEffectDescriptor* effect = module.Effect();
    if (!effect) return fail("the module registered no effect");

    std::unique_ptr<PluginInstance> instance(new PluginInstance);
    instance->mHost = &host;
    for (IACFUnknown* provider : providers)
        if (provider) instance->mProviders.emplace_back(provider);

    if (!MakeComponent(*effect, kAAX_ProcPtrID_Create_EffectParameters, IID_IAAXEffectParametersV1,
                       instance->mParameters) ||
        !instance->mParameters)
        return fail("the effect has no effect-parameters component");
    if (!MakeComponent(*effect, kAAX_ProcPtrID_Create_HostProcessor, IID_IAAXHostProcessorV1,
                       instance->mHostProcessor))
        return fail("the effect's host processor cannot be made");
    if (withEditor && !MakeComponent(*effect, kAAX_ProcPtrID_Create_EffectGUI, IID_IAAXEffectGUIV1,
                                     instance->mEditor))
        return fail("the effect's editor cannot be made");

    AAX_Result result = instance->mParameters->Initialize(instance->NewContext().get());
    instance->mParametersInitialized = true;
    if (result != kResultSuccess)
        return fail("the parameters component failed to initialise with code " +
                    std::to_string(result));
    if (instance->mHostProcessor)
    {
        result = instance->mHostProcessor->Initialize(instance->NewContext().get());
        instance->mHostProcessorInitialized = true;
        if (result != kResultSuccess)
            return fail("the host processor failed to initialise with code " +
                        std::to_string(result));
    }
    if (instance->mEditor)
    {
        result = instance->mEditor->Initialize(instance->NewContext().get());
        instance->mEditorInitialized = true;
        if (result != kResultSuccess)
            return fail("the editor failed to initialise with code " + std::to_string(result));
    }
    return instance;
}

ACFPtr<HostContext> PluginInstance::NewContext()
{
    ACFPtr<HostContext> context(new HostContext);
    context->Offer(&mHost->Factory());
    context->Offer(&mHost->Controller());
    context->Offer(&mHost->Transport());
    for (const auto& provider : mProviders)
        context->Offer(provider.get());
    context->Offer(mParameters.get());
    mContexts.push_back(context);
    return context;
}

PluginInstance::~PluginInstance()
{
    if (mEditor && mEditorInitialized) mEditor->Uninitialize();
    mEditor.Clear();
    if (mHostProcessor && mHostProcessorInitialized) mHostProcessor->Uninitialize();
    mHostProcessor.Clear();
    // The contexts hold the parameters component for the others; they go before it.
    for (auto& context : mContexts)
        context->Withdraw(mParameters.get());
    if (mParameters && mParametersInitialized) mParameters->Uninitialize();
    mParameters.Clear();
    mContexts.clear();
}

} // namespace orv::host
