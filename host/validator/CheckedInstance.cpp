#include "CheckedInstance.h"

#include "CheckContext.h"
#include "HostStateFile.h"
#include "HostString.h"
#include "ParameterSnapshot.h"

namespace orv::host::validator
{

std::unique_ptr<CheckedInstance> CheckedInstance::Create(const PluginModule& module,
                                                         ReferenceHost& host, std::string* outError)
{
    std::unique_ptr<CheckedInstance> instance(new CheckedInstance);
    instance->mHost = &host;
    instance->mAutomation = new HostAutomationDelegate;
    instance->mInstance =
        PluginInstance::Create(module, host, {instance->mAutomation.get()}, outError);
    if (!instance->mInstance) return nullptr;
    instance->mAutomation->SetParameters(instance->mInstance->Parameters());
    return instance;
}

CheckedInstance::~CheckedInstance()
{
    if (mAutomation) mAutomation->SetParameters(nullptr);
    mInstance.reset();
}

std::vector<std::string> CheckedInstance::Identifiers() const
{
    std::vector<std::string> identifiers;
    int32 count = 0;
    if (Parameters().GetNumberOfParameters(&count) != kResultSuccess) return identifiers;
    for (int32 index = 0; index < count; ++index)
    {
        HostString identifier;
        if (Parameters().GetParameterIDFromIndex(index, &identifier) == kResultSuccess)
            identifiers.push_back(identifier.Text());
    }
    return identifiers;
}

std::string CheckedInstance::BypassIdentifier() const
{
    HostString identifier;
    if (Parameters().GetMasterBypassParameter(&identifier) != kResultSuccess) return std::string();
    return identifier.Text();
}

AAX_Result CheckedInstance::SetThroughHost(const char* identifier, double normalizedValue)
{
    const AAX_Result result = Parameters().SetParameterNormalizedValue(identifier, normalizedValue);
    mAutomation->Pump();
    return result;
}

AAX_Result CheckedInstance::Restore(const HostChunk& chunk)
{
    const AAX_Result result = Parameters().SetChunk(chunk.Record()->fChunkID, chunk.Record());
    mAutomation->Pump();
    return result;
}

bool CheckedInstance::Save(HostChunk* outChunk, std::string* outError) const
{
    return HostStateFile::Capture(Parameters(), outChunk, outError);
}

void CheckedInstance::SaveEvidence(CheckContext& context, const std::string& name) const
{
    context.SaveArtifact(name + ".values.txt", ParameterSnapshot::Capture(*this).ToText());
    HostChunk chunk;
    std::string error;
    if (!Save(&chunk, &error))
    {
        context.Info("no state chunk for the evidence: " + error);
        return;
    }
    const std::vector<unsigned char> bytes = chunk.Serialize();
    context.SaveArtifact(name + ".chunk", bytes.data(), bytes.size());
}

} // namespace orv::host::validator
