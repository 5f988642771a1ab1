#include "CombinedProgress.h"

#include <algorithm>

namespace orv::apps
{

CombinedProgress::CombinedProgress(int32 channels, int64 frames, Display display)
    : mFrames(std::max<int64>(frames, 0)), mDisplay(std::move(display)),
      mLabel(std::to_string(channels) + (channels == 1 ? " channel" : " channels")),
      mChannels(static_cast<size_t>(std::max<int32>(channels, 0)))
{
}

void CombinedProgress::Update(int32 channel, host::OfflineRenderDriver::Pass pass, int64 done)
{
    if (channel < 0 || static_cast<size_t>(channel) >= mChannels.size()) return;
    std::lock_guard<std::mutex> lock(mMutex);
    ChannelDone& counts = mChannels[static_cast<size_t>(channel)];
    int64& passDone =
        pass == host::OfflineRenderDriver::Pass::kAnalysis ? counts.analysis : counts.render;
    const int64 clamped = std::clamp<int64>(done, 0, mFrames);
    if (clamped <= passDone) return;
    mDone += clamped - passDone;
    passDone = clamped;
    if (mDisplay) mDisplay(mLabel, mDone, mFrames * 2 * static_cast<int64>(mChannels.size()));
}

} // namespace orv::apps
