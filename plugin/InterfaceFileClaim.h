#pragma once

#include <string>

#include "AAX.h"
#include "FileClaim.h"

// The interface file an instance owns for one analysis and render pass: the lowest index n
// whose lock file ".Orvendal_interface_<n>.lock" no other instance holds, in this process
// or another. So instances rendering at the same time never share a file, and a lone
// instance always uses index 0.
class InterfaceFileClaim
{
public:
    enum class Result
    {
        kClaimed,
        kAllTaken,     // every index is held by someone else
        kCannotCreate, // the folder takes no lock file
    };

    // Releases any claim held, then claims the lowest free index in folder (a canonical
    // path). Index() is the index claimed.
    Result Claim(const std::string& folder);
    void Release();
    bool IsHeld() const { return mLock.IsHeld(); }
    // -1 while nothing is claimed.
    int32 Index() const { return mLock.IsHeld() ? mIndex : -1; }

private:
    orv::platform::FileClaim mLock;
    int32 mIndex = -1;
};
