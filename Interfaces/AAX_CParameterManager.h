#pragma once

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "AAX.h"

class AAX_IParameter;
class AAX_IAutomationDelegate;

// All parameters of one effect-parameters object, in the order they were added (the order of
// the indices the host sees and of the saved state), found by index or by identifier. Owns the
// parameters and attaches each to the automation delegate. No lock: parameters are added
// during initialization only and only read afterwards.
class AAX_CParameterManager
{
public:
    AAX_CParameterManager() = default;
    ~AAX_CParameterManager();

    AAX_CParameterManager(const AAX_CParameterManager&) = delete;
    AAX_CParameterManager& operator=(const AAX_CParameterManager&) = delete;

    // Borrowed; handed to every parameter added from now on.
    void Initialize(AAX_IAutomationDelegate* automationDelegate);
    // Takes over parameter, unless it is null or its identifier is already held: then the
    // caller keeps it (and must delete it). Out of memory, the parameter is deleted and
    // std::bad_alloc goes on to the caller, whose host boundary catches it.
    void AddParameter(AAX_IParameter* parameter);
    // Deletes every parameter in index order.
    void RemoveAllParameters();

    int32 NumParameters() const;
    // Null for an index out of range.
    AAX_IParameter* GetParameter(int32 index);
    const AAX_IParameter* GetParameter(int32 index) const;
    // Exact, case-sensitive; null for a null or unknown identifier.
    AAX_IParameter* GetParameterByID(AAX_CParamID identifier);
    const AAX_IParameter* GetParameterByID(AAX_CParamID identifier) const;
    // Index by a scan in index order; -1 for a null or unknown identifier.
    int32 ControlIndexFromID(AAX_CParamID identifier) const;

private:
    AAX_IAutomationDelegate* mAutomationDelegate = nullptr;
    std::vector<AAX_IParameter*> mParameters;
    // Transparent comparison: looking up a host's identifier builds no string, so lookups
    // never allocate and never throw.
    std::map<std::string, AAX_IParameter*, std::less<>> mParametersMap;
};
