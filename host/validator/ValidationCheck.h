#pragma once

#include <string>

namespace orv::host::validator
{

class CheckContext;

// One check of the validator. A check runs in a child process of its own, loads the module
// itself from context.ModulePath(), and reports every fault it finds with context.Fail; it
// calls context.Progress at least every few seconds, as the parent counts 30 s of silence as
// a hang. A crash or a hang of the check fails it without touching the other checks.
class ValidationCheck
{
public:
    virtual ~ValidationCheck() = default;

    // The name --only selects it by: lower case, no spaces ("scan", "state", ...).
    virtual const char* Name() const = 0;
    // One line saying what the check holds the module to.
    virtual const char* Summary() const = 0;
    // Runs the whole check; the verdict is whether context recorded a failure.
    virtual void Run(CheckContext& context) = 0;
};

} // namespace orv::host::validator
