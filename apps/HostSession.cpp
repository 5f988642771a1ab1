#include "HostSession.h"

#include "DefaultLocations.h"

namespace orv::apps
{

std::string HostSession::DefaultModulePath()
{
    return DefaultLocations::OfRunningProgram().ModulePath();
}

std::string HostSession::DefaultCompanionPath()
{
    return DefaultLocations::OfRunningProgram().CompanionPath();
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
