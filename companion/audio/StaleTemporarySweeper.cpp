#include "StaleTemporarySweeper.h"

#include "InterfaceFileGuard.h"
#include "ReplacementFile.h"
#include "UniqueFd.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace companion
{

namespace
{
bool isStale(int dirFd, const char* name)
{
    UniqueFd fd(::openat(dirFd, name, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
    if (!fd.valid()) return false;
    struct stat opened
    {
    };
    struct stat named
    {
    };
    if (::fstat(fd.get(), &opened) != 0 || !S_ISREG(opened.st_mode)) return false;
    // A live companion holds its temporary locked until it has renamed it.
    if (::flock(fd.get(), LOCK_EX | LOCK_NB) != 0) return false;
    // Still the same file under that name, so the unlink removes what was checked.
    return ::fstatat(dirFd, name, &named, AT_SYMLINK_NOFOLLOW) == 0 &&
           named.st_dev == opened.st_dev && named.st_ino == opened.st_ino;
}
} // namespace

std::vector<std::string> StaleTemporarySweeper::sweep(int dirFd)
{
    std::vector<std::string> removed;
    // fdopendir takes the descriptor it is given, so it gets its own.
    const int listing = ::openat(dirFd, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (listing < 0) return removed;
    DIR* dir = ::fdopendir(listing);
    if (!dir)
    {
        ::close(listing);
        return removed;
    }
    while (const dirent* entry = ::readdir(dir))
    {
        if (!InterfaceFileGuard::isInterfaceName(ReplacementFile::targetOf(entry->d_name)))
            continue;
        if (isStale(dirFd, entry->d_name) && ::unlinkat(dirFd, entry->d_name, 0) == 0)
            removed.emplace_back(entry->d_name);
    }
    ::closedir(dir);
    return removed;
}

} // namespace companion
