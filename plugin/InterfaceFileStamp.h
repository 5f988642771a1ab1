#pragma once

#include <string>

#include <sys/types.h>

// Marks the completed interface file so the plug-in can tell afterwards whether the companion
// touched it: Mark sets its modification time to a fixed moment in the past and keeps its
// device and inode; Changed then tells a file that was replaced (another inode) or rewritten
// in place (another modification time). One thread at a time.
class InterfaceFileStamp
{
public:
    // 2001-01-01 00:00:00 UTC: no companion writes a file at that moment today.
    static constexpr time_t kMarkSeconds = 978307200;

    // False when path cannot be examined; a file whose time cannot be set keeps the one it
    // has as its mark.
    bool Mark(const std::string& path);
    // True when the file at path is no longer the marked one as it was marked. A missing
    // file, or no mark, is no change.
    bool Changed(const std::string& path) const;
    void Clear() { mMarked = false; }

private:
    bool mMarked = false;
    dev_t mDevice = 0;
    ino_t mInode = 0;
    time_t mSeconds = 0;
    long mNanoseconds = 0;
};
