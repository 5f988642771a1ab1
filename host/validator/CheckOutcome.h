#pragma once

#include <chrono>
#include <string>

namespace orv::host::validator
{

// How one run of one check ended, as the runner saw it from outside the check's process.
struct CheckOutcome
{
    enum class Kind
    {
        kPassed,
        kFailed,  // the check finished and recorded faults
        kCrashed, // killed by a signal, or exited without its verdict
        kHung,    // silent for longer than the watchdog allows; killed
        kNotRun,  // the process could not be started
    };

    Kind kind = Kind::kNotRun;
    int faults = 0;
    // kCrashed: the signal, or 0 with exitCode set when the process exited on its own.
    int signal = 0;
    int exitCode = 0;
    // The last step the check announced before it ended.
    std::string lastStep;
    // kNotRun: why.
    std::string error;
    std::chrono::milliseconds elapsed{0};
};

} // namespace orv::host::validator
