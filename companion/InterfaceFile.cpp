#include "InterfaceFile.h"

#include <atomic>
#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace companion
{

namespace
{
std::string systemError(const char* what)
{
    return std::string(what) + ": " + std::strerror(errno);
}

void closeIfOpen(int& fd)
{
    if (fd >= 0) ::close(fd);
    fd = -1;
}
} // namespace

InterfaceFile::~InterfaceFile()
{
    discardReplacement();
    closeIfOpen(fileFd_);
    closeIfOpen(dirFd_);
}

bool InterfaceFile::openDirectory(const std::string& directory, const std::string& name,
                                  std::string& error)
{
    dirFd_ = ::open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dirFd_ < 0)
    {
        error = systemError("cannot open the folder");
        return false;
    }
    struct stat info
    {
    };
    if (::fstat(dirFd_, &info) != 0)
    {
        error = systemError("cannot inspect the folder");
        return false;
    }
    name_ = name;
    key_ = std::to_string(info.st_dev) + ':' + std::to_string(info.st_ino) + '/' + name;
    return true;
}

bool InterfaceFile::openFile(std::string& error)
{
    // O_NOFOLLOW refuses a symbolic link; O_NONBLOCK keeps a FIFO from blocking the open.
    fileFd_ = ::openat(dirFd_, name_.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fileFd_ < 0)
    {
        error = errno == ELOOP ? std::string("the file is a symbolic link")
                               : systemError("cannot open the file");
        return false;
    }
    struct stat info
    {
    };
    if (::fstat(fileFd_, &info) != 0)
    {
        error = systemError("cannot inspect the file");
        return false;
    }
    if (!S_ISREG(info.st_mode))
    {
        error = "not a regular file";
        return false;
    }
    device_ = info.st_dev;
    inode_ = info.st_ino;
    mode_ = info.st_mode & 0777;
    owner_ = info.st_uid;
    group_ = info.st_gid;
    return true;
}

bool InterfaceFile::createReplacement(std::string& error)
{
    static std::atomic<unsigned> counter{0};
    tempName_ = "." + name_ + ".tmp-" + std::to_string(::getpid()) + '-' +
                std::to_string(counter.fetch_add(1));
    tempFd_ = ::openat(dirFd_, tempName_.c_str(),
                       O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (tempFd_ < 0)
    {
        tempName_.clear();
        error = systemError("cannot create the temporary file");
        return false;
    }
    // The plug-in rewrites the file on its next analysis pass, so the replacement must keep
    // the original's owner and permissions.
    struct stat created
    {
    };
    if (::fstat(tempFd_, &created) != 0 ||
        ((created.st_uid != owner_ || created.st_gid != group_) &&
         ::fchown(tempFd_, owner_, group_) != 0) ||
        ::fchmod(tempFd_, mode_) != 0)
    {
        error = systemError("cannot give the temporary file the original's owner and permissions");
        discardReplacement();
        return false;
    }
    return true;
}

bool InterfaceFile::commitReplacement(std::string& error)
{
    // Another program may have put something else under the name meanwhile: keep that.
    struct stat now
    {
    };
    if (::fstatat(dirFd_, name_.c_str(), &now, AT_SYMLINK_NOFOLLOW) != 0 || now.st_dev != device_ ||
        now.st_ino != inode_)
    {
        error = "the file was replaced by someone else while it was processed";
        discardReplacement();
        return false;
    }
    if (::close(tempFd_) != 0)
    {
        tempFd_ = -1;
        error = systemError("cannot close the temporary file");
        discardReplacement();
        return false;
    }
    tempFd_ = -1;
    if (::renameat(dirFd_, tempName_.c_str(), dirFd_, name_.c_str()) != 0)
    {
        error = systemError("cannot rename the temporary file");
        discardReplacement();
        return false;
    }
    tempName_.clear();
    ::fsync(dirFd_); // makes the rename itself durable; the data is already synced
    return true;
}

void InterfaceFile::discardReplacement()
{
    closeIfOpen(tempFd_);
    if (!tempName_.empty()) ::unlinkat(dirFd_, tempName_.c_str(), 0);
    tempName_.clear();
}

} // namespace companion
