#include "FilePaths.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace orv::platform
{

bool CanonicalFolderPath(const std::string& folder, std::string& outCanonical)
{
    if (folder.empty()) return false;
    char* resolved = ::realpath(folder.c_str(), nullptr);
    if (!resolved) return false;
    std::string canonical(resolved);
    std::free(resolved);
    struct stat info = {};
    if (::stat(canonical.c_str(), &info) != 0 || !S_ISDIR(info.st_mode)) return false;
    outCanonical = canonical;
    return true;
}

bool RemoveLinkAt(const std::string& path)
{
    struct stat info = {};
    if (::lstat(path.c_str(), &info) != 0) return true;
    if (!S_ISLNK(info.st_mode)) return true;
    return ::unlink(path.c_str()) == 0;
}

bool MakePrivateFile(const std::string& path)
{
    // Non-blocking: a FIFO nobody reads fails here instead of hanging the caller.
    const int fd =
        ::open(path.c_str(), O_WRONLY | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0600);
    if (fd < 0) return false;
    struct stat info = {};
    // Only a file of one's own is narrowed: a device standing there is the system's.
    const bool ok =
        ::fstat(fd, &info) == 0 && (!S_ISREG(info.st_mode) || (info.st_mode & 0777 & ~0600) == 0 ||
                                    ::fchmod(fd, info.st_mode & 0600) == 0);
    ::close(fd);
    return ok;
}

} // namespace orv::platform
