#pragma once

#include <string>

namespace orv::platform
{

// An exclusive advisory lock on a lock file, held from a successful TryClaim until Release
// or destruction. Claims conflict between processes and between objects of one process
// alike, and the system drops them when the process ends, however it ends. Not copyable;
// one thread at a time.
class FileClaim
{
public:
    FileClaim() = default;
    ~FileClaim();
    FileClaim(const FileClaim&) = delete;
    FileClaim& operator=(const FileClaim&) = delete;

    enum class Outcome
    {
        kClaimed,
        kHeldElsewhere, // another claim, in this process or another, holds the lock
        kCannotOpen,    // the lock file cannot be created or opened (or is a link)
    };

    // Creates the lock file if missing (never through a symbolic link) and takes its lock
    // without waiting. A claim held before is released first in every case.
    Outcome TryClaim(const std::string& lockPath);
    void Release();
    bool IsHeld() const { return mFd >= 0; }

private:
    int mFd = -1;
};

} // namespace orv::platform
