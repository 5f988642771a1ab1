#pragma once

#include "ValidationCheck.h"

namespace orv::host::validator
{

// One thread sets and updates every parameter as the host's main loop does while another
// generates coefficients as its processing side does. Every packet posted must have its
// field's size and hold a value the field's parameter actually had, and once both are done
// the last packet of each field holds the parameter's final value. Under ThreadSanitizer the
// same run shows any unguarded state the two paths share.
class ThreadCheck : public ValidationCheck
{
public:
    // Rounds of each thread at strictness 10.
    static constexpr int kRounds = 500;

    const char* Name() const override { return "threads"; }
    const char* Summary() const override
    {
        return "parameter updates on one thread, coefficients on another: consistent packets";
    }
    void Run(CheckContext& context) override;
};

} // namespace orv::host::validator
