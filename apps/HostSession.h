#pragma once

#include <memory>
#include <string>
#include <vector>

#include "PluginInstance.h"
#include "PluginModule.h"
#include "ReferenceHost.h"

namespace orv::apps
{

// The reference host with the module loaded and, on request, one instance of its effect:
// what every subcommand that drives the plug-in starts from. Torn down in the host's order
// (instance, module, host).
class HostSession
{
public:
    // The bundle the build or the installation puts beside the program (DefaultLocations).
    static std::string DefaultModulePath();
    // What each subcommand's --module says of it.
    static constexpr const char* kModuleOptionHelp =
        "Plug-in bundle or module file (default: the bundle the build or the installation puts "
        "beside this program)";
    // The companion the build or the installation puts beside the program.
    static std::string DefaultCompanionPath();

    // Loads the module at path (default when empty). Null with a one-line message on failure.
    static std::unique_ptr<HostSession> Open(const std::string& path, std::string* outError);

    ~HostSession();

    // Builds the instance, offering providers to every component (borrowed).
    // withEditor: also make the editor component, as a host does when it opens a window.
    bool CreateInstance(const std::vector<IACFUnknown*>& providers, std::string* outError,
                        bool withEditor = false);

    // Uninitialises and releases the instance, if any.
    void ReleaseInstance() { mInstance.reset(); }

    host::ReferenceHost& Host() { return *mHost; }
    host::PluginModule& Module() { return *mModule; }
    // Null before CreateInstance.
    host::PluginInstance* Instance() { return mInstance.get(); }

private:
    HostSession() = default;

    std::unique_ptr<host::ReferenceHost> mHost;
    std::unique_ptr<host::PluginModule> mModule;
    std::unique_ptr<host::PluginInstance> mInstance;
};

} // namespace orv::apps
