#include "ReplacementFile.h"

#include <atomic>
#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace companion
{

namespace
{
constexpr std::string_view kMarker = ".tmp-";
// Names are unique within a process; a stale file of a dead process with the same id can
// still hold one, so a few more names are tried.
constexpr int kNameAttempts = 16;

std::string systemError(const char* what)
{
    return std::string(what) + ": " + std::strerror(errno);
}

// What O_TMPFILE gives on kernels or file systems without unnamed files.
bool unnamedUnsupported(int error)
{
    return error == EOPNOTSUPP || error == EISDIR || error == EINVAL || error == ENOENT;
}
} // namespace

ReplacementFile::ReplacementFile(int dirFd, std::string target, Kind kind)
    : dirFd_(dirFd), target_(std::move(target)), kind_(kind)
{
}

ReplacementFile::~ReplacementFile()
{
    discard();
}

std::string ReplacementFile::nextName() const
{
    static std::atomic<unsigned> counter{0};
    return "." + target_ + std::string(kMarker) + std::to_string(::getpid()) + '-' +
           std::to_string(counter.fetch_add(1));
}

bool ReplacementFile::create(std::string& error)
{
    if (kind_ == Kind::UnnamedFirst)
    {
        fd_.reset(::openat(dirFd_, ".", O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600));
        if (fd_.valid())
        {
            // Locked before it gets a name, so a sweep never takes it for a dead one.
            if (::flock(fd_.get(), LOCK_EX) == 0) return true;
            error = systemError("cannot lock the temporary file");
            fd_.reset();
            return false;
        }
        if (!unnamedUnsupported(errno))
        {
            error = systemError("cannot create the temporary file");
            return false;
        }
    }
    return createNamed(error);
}

bool ReplacementFile::createNamed(std::string& error)
{
    for (int attempt = 0; attempt < kNameAttempts; ++attempt)
    {
        std::string name = nextName();
        fd_.reset(::openat(dirFd_, name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC,
                           0600));
        if (!fd_.valid() && errno == EEXIST) continue;
        if (!fd_.valid()) break;
        tempName_ = std::move(name);
        linked_ = true;
        if (::flock(fd_.get(), LOCK_EX | LOCK_NB) == 0) return true;
        error = systemError("cannot lock the temporary file");
        discard();
        return false;
    }
    error = systemError("cannot create the temporary file");
    return false;
}

bool ReplacementFile::linkUnnamed(std::string& error)
{
    const std::string path = "/proc/self/fd/" + std::to_string(fd_.get());
    for (int attempt = 0; attempt < kNameAttempts; ++attempt)
    {
        std::string name = nextName();
        // Through /proc when it is mounted; AT_EMPTY_PATH needs a privilege most users lack.
        int linked = ::linkat(AT_FDCWD, path.c_str(), dirFd_, name.c_str(), AT_SYMLINK_FOLLOW);
        if (linked != 0 && errno == ENOENT)
            linked = ::linkat(fd_.get(), "", dirFd_, name.c_str(), AT_EMPTY_PATH);
        if (linked != 0 && errno == EEXIST) continue;
        if (linked != 0) break;
        tempName_ = std::move(name);
        linked_ = true;
        return true;
    }
    error = systemError("cannot give the temporary file a name");
    return false;
}

bool ReplacementFile::commit(std::string& error)
{
    if (!fd_.valid())
    {
        error = "no temporary file to commit";
        return false;
    }
    if (!linked_ && !linkUnnamed(error))
    {
        discard();
        return false;
    }
    if (::renameat(dirFd_, tempName_.c_str(), dirFd_, target_.c_str()) != 0)
    {
        error = systemError("cannot rename the temporary file");
        discard();
        return false;
    }
    tempName_.clear();
    linked_ = false;
    fd_.reset();
    ::fsync(dirFd_); // makes the rename itself durable; the data is already synced
    return true;
}

void ReplacementFile::discard()
{
    if (linked_ && !tempName_.empty()) ::unlinkat(dirFd_, tempName_.c_str(), 0);
    tempName_.clear();
    linked_ = false;
    fd_.reset();
}

std::string_view ReplacementFile::targetOf(std::string_view name)
{
    if (name.size() < 2 || name.front() != '.') return {};
    const size_t marker = name.rfind(kMarker);
    if (marker == std::string_view::npos || marker < 1) return {};
    return name.substr(1, marker - 1);
}

} // namespace companion
