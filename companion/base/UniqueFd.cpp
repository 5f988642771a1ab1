#include "UniqueFd.h"

#include <unistd.h>

namespace companion
{

UniqueFd::~UniqueFd()
{
    reset();
}

UniqueFd& UniqueFd::operator=(UniqueFd&& other) noexcept
{
    if (this != &other) reset(other.release());
    return *this;
}

int UniqueFd::release()
{
    const int fd = fd_;
    fd_ = -1;
    return fd;
}

void UniqueFd::reset(int fd)
{
    if (fd_ >= 0) ::close(fd_);
    fd_ = fd;
}

} // namespace companion
