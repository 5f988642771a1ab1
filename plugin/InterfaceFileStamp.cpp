#include "InterfaceFileStamp.h"

#include <fcntl.h>
#include <sys/stat.h>

namespace
{

struct timespec ModificationTime(const struct stat& status)
{
#if defined(__APPLE__)
    return status.st_mtimespec;
#else
    return status.st_mtim;
#endif
}

} // namespace

bool InterfaceFileStamp::Mark(const std::string& path)
{
    mMarked = false;
    const struct timespec times[2] = {{0, UTIME_OMIT}, {kMarkSeconds, 0}};
    // A link at the path is never followed: the companion refuses one anyway.
    ::utimensat(AT_FDCWD, path.c_str(), times, AT_SYMLINK_NOFOLLOW);
    struct stat status;
    if (::lstat(path.c_str(), &status) != 0) return false;
    mDevice = status.st_dev;
    mInode = status.st_ino;
    const struct timespec modified = ModificationTime(status);
    mSeconds = modified.tv_sec;
    mNanoseconds = modified.tv_nsec;
    mMarked = true;
    return true;
}

bool InterfaceFileStamp::Changed(const std::string& path) const
{
    struct stat status;
    if (!mMarked || ::lstat(path.c_str(), &status) != 0) return false;
    const struct timespec modified = ModificationTime(status);
    return status.st_dev != mDevice || status.st_ino != mInode || modified.tv_sec != mSeconds ||
           modified.tv_nsec != mNanoseconds;
}
