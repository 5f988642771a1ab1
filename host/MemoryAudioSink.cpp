#include "MemoryAudioSink.h"

namespace orv::host
{

bool MemoryAudioSink::Write(const float* const* channels, int32 channelCount, int32 count)
{
    if (channelCount < 0 || count < 0 || (count > 0 && !channels)) return false;
    if (mChannels.size() < static_cast<size_t>(channelCount))
        mChannels.resize(static_cast<size_t>(channelCount));
    for (int32 c = 0; c < channelCount; ++c)
        mChannels[c].insert(mChannels[c].end(), channels[c], channels[c] + count);
    return true;
}

} // namespace orv::host
