#pragma once

#include <string>
#include <vector>

#include "AAX_Errors.h"
#include "AAX_IAutomationDelegate.h"

// Records what parameters send to the host, one text line per call, e.g. "set Par1 0.25".
class RecordingAutomationDelegate : public AAX_IAutomationDelegate
{
public:
    AAX_Result RegisterParameter(AAX_CParamID id) override { return Add("register", id); }
    AAX_Result UnregisterParameter(AAX_CParamID id) override { return Add("unregister", id); }
    AAX_Result PostSetValueRequest(AAX_CParamID id, double value) const override
    {
        return Add("set", id, value);
    }
    AAX_Result PostCurrentValue(AAX_CParamID id, double value) const override
    {
        return Add("current", id, value);
    }
    AAX_Result PostTouchRequest(AAX_CParamID id) override { return Add("touch", id); }
    AAX_Result PostReleaseRequest(AAX_CParamID id) override { return Add("release", id); }
    AAX_Result GetTouchState(AAX_CParamID, AAX_CBoolean* touched) override
    {
        *touched = 0;
        return kResultSuccess;
    }

    mutable std::vector<std::string> calls;

private:
    AAX_Result Add(const char* what, AAX_CParamID id) const
    {
        calls.push_back(std::string(what) + " " + id);
        return kResultSuccess;
    }
    AAX_Result Add(const char* what, AAX_CParamID id, double value) const
    {
        calls.push_back(std::string(what) + " " + id + " " + std::to_string(value));
        return kResultSuccess;
    }
};
