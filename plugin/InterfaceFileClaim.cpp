#include "InterfaceFileClaim.h"

#include "InterfaceFileFormat.h"
#include "InterfaceFileLocation.h"

InterfaceFileClaim::Result InterfaceFileClaim::Claim(const std::string& folder)
{
    Release();
    bool anyRefused = false;
    for (int32 index = 0; index < InterfaceFileFormat::kMaxInterfaceFiles; ++index)
    {
        std::string lockPath;
        if (!InterfaceFileLocation::LockFilePath(folder, index, lockPath))
            return Result::kCannotCreate;
        switch (mLock.TryClaim(lockPath))
        {
        case orv::platform::FileClaim::Outcome::kClaimed:
            mIndex = index;
            return Result::kClaimed;
        case orv::platform::FileClaim::Outcome::kHeldElsewhere:
            continue;
        case orv::platform::FileClaim::Outcome::kCannotOpen:
            // Something else stands at this lock's path (a link, a folder); the next index
            // may still be free.
            anyRefused = true;
            continue;
        }
    }
    return anyRefused ? Result::kCannotCreate : Result::kAllTaken;
}

void InterfaceFileClaim::Release()
{
    mLock.Release();
    mIndex = -1;
}
