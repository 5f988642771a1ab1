#pragma once

#include <chrono>
#include <iosfwd>

#include "CheckContext.h"
#include "CheckOutcome.h"
#include "ValidationCheck.h"

namespace orv::host::validator
{

// Runs one check in a child process of its own and watches it from the parent. The child
// gets a CheckContext whose progress and report travel back through a pipe; the parent
// forwards the report lines to report as they arrive, remembers the last step, and kills the
// child when it stays silent for longer than the watchdog. The parent itself never touches
// the module, so forking is safe. Call from a single-threaded process.
class CheckProcess
{
public:
    CheckProcess(std::chrono::milliseconds watchdog, std::ostream& report);

    CheckOutcome Run(ValidationCheck& check, const CheckContext::Settings& settings);

private:
    std::chrono::milliseconds mWatchdog;
    std::ostream& mReport;
};

} // namespace orv::host::validator
