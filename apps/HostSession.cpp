#include "HostSession.h"

#include <unistd.h>

#include <climits>

namespace orv::apps
{

namespace
{
constexpr const char* kBundleName = "Orvendal QV.aaxplugin";
constexpr const char* kCompanionInBuild = "companion/orvendal-qv";

// The folder above the running program's own, with a trailing slash; empty when unknown.
std::string BuildFolder()
{
    char executable[PATH_MAX];
    const ssize_t length = ::readlink("/proc/self/exe", executable, sizeof(executable) - 1);
    if (length <= 0) return std::string();
    std::string folder(executable, static_cast<size_t>(length));
    folder.resize(folder.find_last_of('/'));
    return folder + "/../";
}

} // namespace

std::string HostSession::DefaultModulePath()
{
    return BuildFolder() + kBundleName;
}

std::string HostSession::DefaultCompanionPath()
{
    return BuildFolder() + kCompanionInBuild;
}

std::unique_ptr<HostSession> HostSession::Open(const std::string& path, std::string* outError)
{
    std::unique_ptr<HostSession> session(new HostSession);
    session->mHost = std::make_unique<host::ReferenceHost>();
    session->mModule = host::PluginModule::Load(path.empty() ? DefaultModulePath() : path,
                                                *session->mHost, outError);
    if (!session->mModule) return nullptr;
    return session;
}

HostSession::~HostSession()
{
    mInstance.reset();
    mModule.reset();
    mHost.reset();
}

bool HostSession::CreateInstance(const std::vector<IACFUnknown*>& providers, std::string* outError,
                                 bool withEditor)
{
    mInstance = host::PluginInstance::Create(*mModule, *mHost, providers, outError, withEditor);
    return mInstance != nullptr;
}

} // namespace orv::apps
