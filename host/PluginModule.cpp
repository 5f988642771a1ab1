#include "PluginModule.h"

#include <dlfcn.h>
#include <sys/stat.h>

#include "HostDescriptionMakers.h"
#include "ReferenceHost.h"

namespace orv::host
{

namespace
{

constexpr const char* kBundleExtension = ".aaxplugin";
constexpr const char* kBundleBinaryFolder = "/Contents/x86_64-linux/";
constexpr const char* kModuleExtension = ".so";

bool IsDirectory(const std::string& path)
{
    struct stat info;
    return ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

template <class Function> bool Resolve(void* handle, ModuleEntryPoint<Function>* entryPoint)
{
    void* symbol = ::dlsym(handle, entryPoint->name);
    entryPoint->function = reinterpret_cast<Function>(symbol);
    return symbol != nullptr;
}

} // namespace

std::string PluginModule::ModuleFilePath(const std::string& path)
{
    if (!IsDirectory(path)) return path;
    std::string bundle = path;
    while (bundle.size() > 1 && bundle.back() == '/')
        bundle.pop_back();
    std::string name = bundle.substr(bundle.find_last_of('/') + 1);
    const std::string extension = kBundleExtension;
    if (name.size() > extension.size() &&
        name.compare(name.size() - extension.size(), extension.size(), extension) == 0)
        name.resize(name.size() - extension.size());
    return bundle + kBundleBinaryFolder + name + kModuleExtension;
}

std::unique_ptr<PluginModule> PluginModule::Open(const std::string& path, std::string* outError)
{
    const std::string filePath = ModuleFilePath(path);
    void* handle = ::dlopen(filePath.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle)
    {
        const char* reason = ::dlerror();
        if (outError)
            *outError = "cannot load module " + filePath + ": " + (reason ? reason : "unknown");
        return nullptr;
    }

    ModuleEntryPoints entry;
    const bool complete = Resolve(handle, &entry.registerPlugin) &&
                          Resolve(handle, &entry.registerComponent) &&
                          Resolve(handle, &entry.getClassFactory) &&
                          Resolve(handle, &entry.canUnloadNow) && Resolve(handle, &entry.startup) &&
                          Resolve(handle, &entry.shutdown) && Resolve(handle, &entry.getSDKVersion);
    if (!complete)
    {
        if (outError) *outError = "module " + filePath + " lacks an entry point";
        ::dlclose(handle);
        return nullptr;
    }
    return std::unique_ptr<PluginModule>(new PluginModule(handle, filePath, entry));
}

std::unique_ptr<PluginModule> PluginModule::Load(const std::string& path, ReferenceHost& host,
                                                 std::string* outError)
{
    std::unique_ptr<PluginModule> module = Open(path, outError);
    if (!module) return nullptr;
    HostDescriptionMakers::Register(host.Factory(), HostDescriptionOptions());

    AAX_Result result = module->Startup(host.Context());
    if (result != kResultSuccess)
    {
        if (outError) *outError = "module start-up failed with code " + std::to_string(result);
        return nullptr;
    }
    result = module->Register(host.Context());
    if (result != kResultSuccess || !module->Effect())
    {
        if (outError)
            *outError = result != kResultSuccess
                            ? "module registration failed with code " + std::to_string(result)
                            : "module registered no effect";
        return nullptr;
    }
    return module;
}

PluginModule::PluginModule(void* handle, std::string filePath, const ModuleEntryPoints& entryPoints)
    : mHandle(handle), mFilePath(std::move(filePath)), mEntryPoints(entryPoints)
{
}

PluginModule::~PluginModule()
{
    // The description may hold the module's procedures only as plain addresses; it goes first.
    mDescription.Clear();
    if (mStartedWith) Shutdown();
    if (CanUnloadNow() != 0) return;
#if defined(__SANITIZE_ADDRESS__)
    // Under AddressSanitizer the module stays mapped: the leak checker must still see the
    // memory its globals hold, which would look lost once they are unmapped.
    return;
#endif
    ::dlclose(mHandle);
}

AAX_Result PluginModule::Startup(IACFUnknown* host)
{
    const AAX_Result result = mEntryPoints.startup(host);
    if (result == kResultSuccess) mStartedWith = host;
    return result;
}

AAX_Result PluginModule::Register(IACFUnknown* host)
{
    IACFPluginDefinition* definition = nullptr;
    const AAX_Result result = mEntryPoints.registerPlugin(host, &definition);
    // The definition's reference is the host's: adopt it, whatever the result says.
    ACFPtr<IACFPluginDefinition> held;
    held.Attach(definition);
    if (result != kResultSuccess) return result;
    ACFPtr<HostCollection> description = HostCollection::From(held.get());
    if (!description) return kResultNullObject;
    mDescription = std::move(description);
    return kResultSuccess;
}

AAX_Result PluginModule::CanUnloadNow() const
{
    return mEntryPoints.canUnloadNow(nullptr);
}

AAX_Result PluginModule::Shutdown()
{
    const AAX_Result result = mEntryPoints.shutdown(mStartedWith);
    mStartedWith = nullptr;
    return result;
}

uint64 PluginModule::SDKVersion() const
{
    uint64 version = 0;
    mEntryPoints.getSDKVersion(&version);
    return version;
}

const HostEffectDescriptor* PluginModule::Effect() const
{
    if (!mDescription || mDescription->Effects().empty()) return nullptr;
    return mDescription->Effects().front().descriptor.get();
}

} // namespace orv::host
