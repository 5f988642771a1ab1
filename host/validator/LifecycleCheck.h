#pragma once

#include "ValidationCheck.h"

namespace orv::host::validator
{

// "lifecycle": every component is created, initialised, uninitialised and released many
// times, cold (a fresh load of the module each time) and warm (one module), one at a time
// and with several instances alive at once, released in a random order; each kind of
// component is also initialised again after its uninitialise, and uninitialised twice (a
// host that reloads a session, then tears everything down). After each release
// ACFCanUnloadNow is back to 0 and no parameter stays registered with the host's automation;
// in a build with the leak checker, nothing is left behind at the end.
class LifecycleCheck : public ValidationCheck
{
public:
    const char* Name() const override { return "lifecycle"; }
    const char* Summary() const override;
    void Run(CheckContext& context) override;
};

} // namespace orv::host::validator
