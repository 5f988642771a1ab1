#pragma once

#include "ValidationCheck.h"

namespace orv::host::validator
{

// "scan": what a host does when it first meets the module. Loading with immediate binding,
// start-up, registration and shutdown together take under 100 ms (the best of several
// loads, so a busy machine does not decide); the description names known create procedures,
// one each; and every question with an identifier the module does not know (class factories,
// component registration, interfaces of each component, real identifiers with their last
// byte changed) is refused with the out pointer set to null.
class ScanCheck : public ValidationCheck
{
public:
    static constexpr double kLoadBudgetMilliseconds = 100.0;

    const char* Name() const override { return "scan"; }
    const char* Summary() const override;
    void Run(CheckContext& context) override;
};

} // namespace orv::host::validator
