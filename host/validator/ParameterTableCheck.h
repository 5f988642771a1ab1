#pragma once

#include "ValidationCheck.h"

namespace orv::host::validator
{

// "parameters": the parameter table a host reads from a fresh instance. Identifiers unique,
// non-empty and found again by index; names non-empty; defaults finite and in 0..1; step
// counts not negative; types known; exactly one master bypass, the parameter
// "MasterBypassID", which the component names as such; every value equal to its default
// right after creation (one parameter deliberately starts elsewhere and is held to exactly
// that); indices outside the table refused. The table goes to the evidence
// when anything is wrong.
class ParameterTableCheck : public ValidationCheck
{
public:
    const char* Name() const override { return "parameters"; }
    const char* Summary() const override;
    void Run(CheckContext& context) override;
};

} // namespace orv::host::validator
