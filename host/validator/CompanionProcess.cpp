#include "CompanionProcess.h"

#include <csignal>
#include <fcntl.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <thread>

#include "CompanionPort.h"

namespace orv::host::validator
{

CompanionProcess::CompanionProcess(const std::string& program)
{
    mPid = fork();
    if (mPid == 0)
    {
        // Goes with its owner even when the owner crashes or is killed by a watchdog, so
        // no companion is left holding the port.
        prctl(PR_SET_PDEATHSIG, SIGTERM);
        // Its log is not the owner's report.
        const int quiet = open("/dev/null", O_WRONLY);
        if (quiet >= 0)
        {
            dup2(quiet, STDOUT_FILENO);
            dup2(quiet, STDERR_FILENO);
        }
        execl(program.c_str(), program.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    if (mPid < 0) return;
    for (int attempt = 0; attempt < 500 && !mReady; ++attempt)
    {
        int status = 0;
        if (waitpid(mPid, &status, WNOHANG) == mPid)
        {
            mPid = -1;
            return;
        }
        mReady = CompanionPortAnswers();
        if (!mReady) std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
}

CompanionProcess::~CompanionProcess()
{
    if (mPid <= 0) return;
    kill(mPid, SIGTERM);
    int status = 0;
    waitpid(mPid, &status, 0);
}

} // namespace orv::host::validator
