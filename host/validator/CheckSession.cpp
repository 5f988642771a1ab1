#include "CheckSession.h"

#include "CheckContext.h"
#include "CheckedInstance.h"

namespace orv::host::validator
{

bool CheckSession::Start(CheckContext& context, std::unique_ptr<CheckSession>* outSession,
                         std::unique_ptr<CheckedInstance>* outInstance)
{
    context.Progress("loading the module");
    std::string error;
    *outSession = Open(context.ModulePath(), &error);
    if (!*outSession)
    {
        context.Fail("cannot load the module: " + error);
        return false;
    }
    context.Progress("creating an instance");
    *outInstance = (*outSession)->CreateInstance(&error);
    if (!*outInstance)
    {
        context.Fail("cannot create an instance: " + error);
        return false;
    }
    return true;
}

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
