#include "FileClaim.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace orv::platform
{

FileClaim::~FileClaim()
{
    Release();
}

FileClaim::Outcome FileClaim::TryClaim(const std::string& lockPath)
{
    Release();
    // Close-on-exec: a program the plug-in launches must not inherit, and so keep, the claim.
    const int fd = ::open(lockPath.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd < 0) return Outcome::kCannotOpen;
    int locked;
    do
        locked = ::flock(fd, LOCK_EX | LOCK_NB);
    while (locked != 0 && errno == EINTR);
    if (locked != 0)
    {
        const bool held = errno == EWOULDBLOCK;
        ::close(fd);
        return held ? Outcome::kHeldElsewhere : Outcome::kCannotOpen;
    }
    mFd = fd;
    return Outcome::kClaimed;
}

void FileClaim::Release()
{
    if (mFd < 0) return;
    // Closing the only descriptor of the open file drops its lock.
    ::close(mFd);
    mFd = -1;
}

} // namespace orv::platform
