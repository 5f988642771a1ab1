#pragma once

#include <functional>
#include <mutex>
#include <string>
#include <vector>

#include "AAX.h"
#include "OfflineRenderDriver.h"

namespace orv::apps
{

// The progress of several channels rendered at once, as one display: every channel's
// analysis and render pass count towards one total, so the channels' threads never draw
// bars over each other.
class CombinedProgress
{
public:
    // Shows label with done out of total; called with the lock held, one call at a time.
    using Display = std::function<void(const std::string& label, int64 done, int64 total)>;

    // channels: how many are rendered; frames: the length of each (both passes cover it).
    CombinedProgress(int32 channels, int64 frames, Display display);

    // Channel channel's pass has done of its frames. Safe from any thread; a pass never goes
    // back, so a late, smaller report is ignored.
    void Update(int32 channel, host::OfflineRenderDriver::Pass pass, int64 done);

private:
    struct ChannelDone
    {
        int64 analysis = 0;
        int64 render = 0;
    };

    const int64 mFrames;
    const Display mDisplay;
    const std::string mLabel;
    std::mutex mMutex;
    std::vector<ChannelDone> mChannels;
    int64 mDone = 0;
};

} // namespace orv::apps
