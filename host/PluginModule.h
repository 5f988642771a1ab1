#pragma once

#include <memory>
#include <string>

#include "ACFPtr.h"
#include "HostCollection.h"
#include "ModuleEntryPoints.h"

namespace orv::host
{

class ReferenceHost;

// One loaded plug-in module, driven as a host drives it: opened with immediate binding, its
// seven entry points resolved, started, registered, and finally shut down and unloaded.
// The description it registered (collection, descriptors, maps, procedures) is kept until
// the module is destroyed. Used from the host's main thread.
class PluginModule
{
public:
    // The module file inside a bundle folder ("X.aaxplugin" gives
    // "X.aaxplugin/Contents/x86_64-linux/X.so"); any other path is taken as the file itself.
    static std::string ModuleFilePath(const std::string& path);

    // Opens the module and resolves the entry points; nothing is called yet. Null with a
    // one-line message in outError when the file cannot be loaded or lacks an entry point.
    static std::unique_ptr<PluginModule> Open(const std::string& path, std::string* outError);

    // Open, start up with host's context, teach host's factory the description objects and
    // register. Null with a message on any failure (the module is then unloaded again).
    static std::unique_ptr<PluginModule> Load(const std::string& path, ReferenceHost& host,
                                              std::string* outError);

    // Shuts down when started, then unloads, unless components are still alive: their code
    // must stay mapped until the last one is released, so the module then stays loaded.
    ~PluginModule();

    PluginModule(const PluginModule&) = delete;
    PluginModule& operator=(const PluginModule&) = delete;

    // host: the host object to hand over (borrowed). Return the module's result code.
    AAX_Result Startup(IACFUnknown* host);
    // Keeps the registered description on success.
    AAX_Result Register(IACFUnknown* host);
    AAX_Result CanUnloadNow() const;
    AAX_Result Shutdown();
    uint64 SDKVersion() const;

    const ModuleEntryPoints& EntryPoints() const { return mEntryPoints; }
    const std::string& FilePath() const { return mFilePath; }
    // The registered description, or null before a successful Register.
    const HostCollection* Description() const { return mDescription.get(); }
    // The first registered effect, or null.
    const HostEffectDescriptor* Effect() const;

private:
    PluginModule(void* handle, std::string filePath, const ModuleEntryPoints& entryPoints);

    void* mHandle;
    std::string mFilePath;
    ModuleEntryPoints mEntryPoints;
    IACFUnknown* mStartedWith = nullptr;
    ACFPtr<HostCollection> mDescription;
};

} // namespace orv::host
