#pragma once

#include <string>
#include <sys/types.h>

namespace orv::test
{

// The real companion program started for one test and stopped (SIGTERM, then reaped) when
// the object goes, so no companion outlives the test. Suites using it are declared PORT.
class RunningCompanion
{
public:
    // program: path of orvendal-qv. Waits until the port answers.
    explicit RunningCompanion(const std::string& program);
    ~RunningCompanion();
    RunningCompanion(const RunningCompanion&) = delete;
    RunningCompanion& operator=(const RunningCompanion&) = delete;

    // True once the companion listens on 127.0.0.1:51121.
    bool Ready() const { return mReady; }

private:
    pid_t mPid = -1;
    bool mReady = false;
};

} // namespace orv::test
