#include "AAX_CParameterManager.h"

#include <cstring>
#include <memory>

#include "AAX_IParameter.h"

AAX_CParameterManager::~AAX_CParameterManager()
{
    RemoveAllParameters();
}

void AAX_CParameterManager::Initialize(AAX_IAutomationDelegate* automationDelegate)
{
    mAutomationDelegate = automationDelegate;
}

void AAX_CParameterManager::AddParameter(AAX_IParameter* parameter)
{
    if (!parameter || !parameter->Identifier()) return;
    if (mParametersMap.count(parameter->Identifier()) != 0) return;
    // From here the parameter is ours: should storing it run out of memory, it is deleted
    // rather than leaked, and neither list keeps a pointer to it.
    std::unique_ptr<AAX_IParameter> owned(parameter);
    mParameters.push_back(parameter);
    try
    {
        mParametersMap.emplace(parameter->Identifier(), parameter);
    }
    catch (...)
    {
        mParameters.pop_back();
        throw;
    }
    owned.release();
    parameter->SetAutomationDelegate(mAutomationDelegate);
}

void AAX_CParameterManager::RemoveAllParameters()
{
    for (AAX_IParameter* parameter : mParameters)
        delete parameter;
    mParameters.clear();
    mParametersMap.clear();
}

int32 AAX_CParameterManager::NumParameters() const
{
    return static_cast<int32>(mParameters.size());
}

AAX_IParameter* AAX_CParameterManager::GetParameter(int32 index)
{
    if (index < 0 || index >= NumParameters()) return nullptr;
    return mParameters[static_cast<size_t>(index)];
}

const AAX_IParameter* AAX_CParameterManager::GetParameter(int32 index) const
{
    if (index < 0 || index >= NumParameters()) return nullptr;
    return mParameters[static_cast<size_t>(index)];
}

AAX_IParameter* AAX_CParameterManager::GetParameterByID(AAX_CParamID identifier)
{
    if (!identifier) return nullptr;
    auto found = mParametersMap.find(identifier);
    return found == mParametersMap.end() ? nullptr : found->second;
}

const AAX_IParameter* AAX_CParameterManager::GetParameterByID(AAX_CParamID identifier) const
{
    if (!identifier) return nullptr;
    auto found = mParametersMap.find(identifier);
    return found == mParametersMap.end() ? nullptr : found->second;
}

int32 AAX_CParameterManager::ControlIndexFromID(AAX_CParamID identifier) const
{
    if (!identifier) return -1;
    for (size_t index = 0; index < mParameters.size(); ++index)
        if (std::strcmp(mParameters[index]->Identifier(), identifier) == 0)
            return static_cast<int32>(index);
    return -1;
}
