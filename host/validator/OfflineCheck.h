#pragma once

#include "ValidationCheck.h"

namespace orv::host::validator
{

// "offline": the module's host processor through whole offline runs, as a host drives it,
// over every window size, sample rate and selection length the plan takes, with a loopback
// companion that processes the file or fails in each way a companion can (and, when the run
// names one, the real companion once). Every render must be the full selection, finite,
// and follow "Comm" (see OfflineVerdict). Needs the companion port for itself: the plug-in
// writes its interface file under a temporary HOME the check makes and removes.
class OfflineCheck : public ValidationCheck
{
public:
    const char* Name() const override { return "offline"; }
    const char* Summary() const override;
    void Run(CheckContext& context) override;

    // Passes drawn beyond those covering every value, at strictness 10.
    static constexpr int kDrawnPasses = 160;
};

} // namespace orv::host::validator
