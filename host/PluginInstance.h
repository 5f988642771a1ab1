#pragma once

#include <memory>
#include <string>
#include <vector>

#include "AAX_IACFEffectGUI.h"
#include "AAX_IACFEffectParameters.h"
#include "AAX_IACFHostProcessor.h"
#include "ACFPtr.h"
#include "HostContext.h"

namespace orv::host
{

class PluginModule;
class ReferenceHost;

// One instance of the module's effect, built as a host builds it: each registered component
// (parameters, host processor, editor) made by its create procedure, given a context of its
// own and initialised. Every context answers for the reference host's controller, transport
// and component factory, for the providers the caller adds (automation, host-processor
// delegate, ...), and for effect parameters with this instance's own parameters component.
// The module and the host must outlive the instance. Each instance is driven from one
// thread at a time; instances on threads of their own may run side by side, as the host
// objects they share (factory, controller, transport, services) lock what they keep.
class PluginInstance
{
public:
    // providers: further host objects every context offers (borrowed; the contexts add their
    // own references). The editor is made only with withEditor, as a host makes it only when
    // its window opens. Null with a one-line message when the effect has no parameters
    // component or a component fails to initialise.
    static std::unique_ptr<PluginInstance> Create(const PluginModule& module, ReferenceHost& host,
                                                  const std::vector<IACFUnknown*>& providers,
                                                  std::string* outError, bool withEditor = false);

    // Uninitialises and releases the components in the host's order: editor, host processor,
    // parameters.
    ~PluginInstance();

    PluginInstance(const PluginInstance&) = delete;
    PluginInstance& operator=(const PluginInstance&) = delete;

    AAX_IACFEffectParameters* Parameters() const { return mParameters.get(); }
    // Null when the effect registers no such component.
    AAX_IACFHostProcessor* HostProcessor() const { return mHostProcessor.get(); }
    AAX_IACFEffectGUI* Editor() const { return mEditor.get(); }

private:
    PluginInstance() = default;
    // A new context offering what every component may ask for.
    ACFPtr<HostContext> NewContext();

    ReferenceHost* mHost = nullptr;
    std::vector<ACFPtr<IACFUnknown>> mProviders;
    ACFPtr<AAX_IACFEffectParameters> mParameters;
    ACFPtr<AAX_IACFHostProcessor> mHostProcessor;
    ACFPtr<AAX_IACFEffectGUI> mEditor;
    std::vector<ACFPtr<HostContext>> mContexts;
    bool mParametersInitialized = false;
    bool mHostProcessorInitialized = false;
    bool mEditorInitialized = false;
};

} // namespace orv::host
