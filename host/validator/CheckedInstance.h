#pragma once

#include <memory>
#include <string>
#include <vector>

#include "ACFPtr.h"
#include "HostAutomationDelegate.h"
#include "HostChunk.h"
#include "PluginInstance.h"
#include "ReferenceHost.h"

namespace orv::host::validator
{

class CheckContext;

// One instance of the effect under test, driven as a host drives it: a set request goes to
// the instance's own automation delegate and takes effect when the host pumps, which the
// helpers here do at once. Owns the instance and holds the delegate; the module and the host
// it was made with must outlive it. Used from one thread at a time.
class CheckedInstance
{
public:
    // The longest value text the validator asks for, as a host's display would.
    static constexpr int32 kValueTextLength = 31;

    static std::unique_ptr<CheckedInstance> Create(const PluginModule& module, ReferenceHost& host,
                                                   std::string* outError);

    // Releases the instance first, then detaches the delegate from the dead component.
    ~CheckedInstance();

    CheckedInstance(const CheckedInstance&) = delete;
    CheckedInstance& operator=(const CheckedInstance&) = delete;

    AAX_IACFEffectParameters& Parameters() const { return *mInstance->Parameters(); }
    HostAutomationDelegate& Automation() const { return *mAutomation.get(); }
    // The host's controller, which logs the packets the instance posts.
    HostController& Controller() const { return mHost->Controller(); }

    // The identifiers in index order.
    std::vector<std::string> Identifiers() const;
    // The master bypass identifier, empty when the plug-in names none.
    std::string BypassIdentifier() const;

    // A set request for identifier as a host control makes it, then the host's pump; the
    // plug-in's result code of the request.
    AAX_Result SetThroughHost(const char* identifier, double normalizedValue);
    // SetChunk with the chunk's own ID, then the host's pump (restoring posts set requests).
    AAX_Result Restore(const HostChunk& chunk);
    // The state chunk as the host saves it; false with a message when the plug-in fails.
    bool Save(HostChunk* outChunk, std::string* outError) const;

    // Writes the parameter values (id=value per line) and, when the plug-in gives one, the
    // state chunk into the check's evidence as <name>.values.txt and <name>.chunk.
    void SaveEvidence(CheckContext& context, const std::string& name) const;

private:
    CheckedInstance() = default;

    ReferenceHost* mHost = nullptr;
    ACFPtr<HostAutomationDelegate> mAutomation;
    std::unique_ptr<PluginInstance> mInstance;
};

} // namespace orv::host::validator
