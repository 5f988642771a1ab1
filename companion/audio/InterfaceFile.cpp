#include "InterfaceFile.h"

#include "StaleTemporarySweeper.h"
#include "UserOwnership.h"

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
    replacement_.reset();
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
    // Checked before anything in it is touched, stale temporaries included.
    error = UserOwnership::folderProblem(info);
    if (!error.empty()) return false;
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
    error = UserOwnership::fileProblem(info);
    if (!error.empty()) return false;
    opened_ = info;
    return true;
}

std::vector<std::string> InterfaceFile::sweepStaleTemporaries() const
{
    return StaleTemporarySweeper::sweep(dirFd_);
}

bool InterfaceFile::createReplacement(std::string& error)
{
    replacement_ = std::make_unique<ReplacementFile>(dirFd_, name_);
    if (!replacement_->create(error))
    {
        replacement_.reset();
        return false;
    }
    // The plug-in rewrites the file on its next analysis pass, so the replacement must keep
    // the original's owner and permissions.
    const int fd = replacement_->fd();
    struct stat created
    {
    };
    if (::fstat(fd, &created) != 0 ||
        ((created.st_uid != opened_.st_uid || created.st_gid != opened_.st_gid) &&
         ::fchown(fd, opened_.st_uid, opened_.st_gid) != 0) ||
        ::fchmod(fd, opened_.st_mode & 0777) != 0)
    {
        error = systemError("cannot give the temporary file the original's owner and permissions");
        replacement_.reset();
        return false;
    }
    return true;
}

bool InterfaceFile::commitReplacement(std::string& error)
{
    if (!replacement_)
    {
        error = "no replacement was created";
        return false;
    }
    // Another program may have put something else under the name meanwhile: keep that.
    struct stat now
    {
    };
    if (::fstatat(dirFd_, name_.c_str(), &now, AT_SYMLINK_NOFOLLOW) != 0 ||
        now.st_dev != opened_.st_dev || now.st_ino != opened_.st_ino)
    {
        error = "the file was replaced by someone else while it was processed";
        replacement_.reset();
        return false;
    }
    const bool committed = replacement_->commit(error);
    replacement_.reset();
    return committed;
}

} // namespace companion
