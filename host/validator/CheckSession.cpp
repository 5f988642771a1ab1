#include "CheckSession.h"

#include "CheckedInstance.h"

namespace orv::host::validator
{

std::unique_ptr<CheckSession> CheckSession::Open(const std::string& modulePath,
                                                 std::string* outError)
{
    std::unique_ptr<CheckSession> session(new CheckSession);
    session->mHost = std::make_unique<ReferenceHost>();
    session->mModule = PluginModule::Load(modulePath, *session->mHost, outError);
    if (!session->mModule) return nullptr;
    return session;
}

CheckSession::~CheckSession()
{
    mModule.reset();
    mHost.reset();
}

std::unique_ptr<CheckedInstance> CheckSession::CreateInstance(std::string* outError)
{
    return CheckedInstance::Create(*mModule, *mHost, outError);
}

} // namespace orv::host::validator
