#pragma once

#include <memory>
#include <string>

#include "PluginModule.h"
#include "ReferenceHost.h"

namespace orv::host::validator
{

class CheckContext;
class CheckedInstance;

// The reference host with the module under test loaded, as a check starts from: the host
// owns the module, the module owns its description. Instances made from the session must be
// destroyed before it. Used from the check's own thread.
class CheckSession
{
public:
    // Loads the module at modulePath (a bundle folder or the module file). Null with a
    // one-line message when the module cannot be loaded or registered.
    static std::unique_ptr<CheckSession> Open(const std::string& modulePath, std::string* outError);

    // What most checks start from: the module loaded and one instance of its effect, each
    // step named to the watchdog. False, with the fault reported on context, when either
    // cannot be made.
    static bool Start(CheckContext& context, std::unique_ptr<CheckSession>* outSession,
                      std::unique_ptr<CheckedInstance>* outInstance);

    // Unloads the module, then drops the host.
    ~CheckSession();

    CheckSession(const CheckSession&) = delete;
    CheckSession& operator=(const CheckSession&) = delete;

    // A new instance of the effect whose set requests go through an automation delegate of
    // its own. Null with a message when the instance cannot be made.
    std::unique_ptr<CheckedInstance> CreateInstance(std::string* outError);

    ReferenceHost& Host() { return *mHost; }
    PluginModule& Module() { return *mModule; }

private:
    CheckSession() = default;

    std::unique_ptr<ReferenceHost> mHost;
    std::unique_ptr<PluginModule> mModule;
};

} // namespace orv::host::validator
