#pragma once

#include <cerrno>
#include <functional>

#include <grp.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

namespace orv::host::validator
{

// Another local user, to show that a program of one user does not reach another's: nobody,
// whose ids every Linux system has. Only root can become it, so the checks and tests that
// need it are left out for anyone else.
class OtherUser
{
public:
    static constexpr uid_t kUid = 65534;
    static constexpr gid_t kGid = 65534;

    static bool Available() { return ::geteuid() == 0; }

    // Runs body in a forked child that has dropped to nobody (supplementary groups, then
    // the group, then the user, so nothing of root is kept); its result is the child's exit
    // code, 90 when the switch failed. Returns the child's pid, or -1.
    static pid_t Start(const std::function<int()>& body)
    {
        const pid_t pid = ::fork();
        if (pid != 0) return pid;
        if (!Become()) ::_exit(90);
        ::_exit(body());
    }

    // Turns this process into nobody for good; false when a step failed.
    static bool Become()
    {
        return ::setgroups(0, nullptr) == 0 && ::setresgid(kGid, kGid, kGid) == 0 &&
               ::setresuid(kUid, kUid, kUid) == 0;
    }

    // The child's exit code, or -1 when it did not exit by itself.
    static int Wait(pid_t pid)
    {
        int status = 0;
        while (::waitpid(pid, &status, 0) < 0)
            if (errno != EINTR) return -1;
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
};

} // namespace orv::host::validator
