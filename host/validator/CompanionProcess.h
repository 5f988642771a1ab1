#pragma once

#include <string>
#include <sys/types.h>

namespace orv::host::validator
{

// The real companion program started as a child and stopped (SIGTERM, then reaped) when
// the object goes, so no companion outlives its owner. The owner makes sure nothing else
// needs the port meanwhile.
class CompanionProcess
{
public:
    // program: path of orvendal-qv. Waits (up to about 5 s) until the port answers.
    explicit CompanionProcess(const std::string& program);
    ~CompanionProcess();
    CompanionProcess(const CompanionProcess&) = delete;
    CompanionProcess& operator=(const CompanionProcess&) = delete;

    // True once the companion listens on 127.0.0.1:51121.
    bool Ready() const { return mReady; }

private:
    pid_t mPid = -1;
    bool mReady = false;
};

} // namespace orv::host::validator
