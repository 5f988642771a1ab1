#include "MemoryAudioSource.h"

#include <algorithm>

namespace orv::host
{

MemoryAudioSource::MemoryAudioSource(std::vector<std::vector<float>> channels)
    : mChannels(std::move(channels))
{
}

int32 MemoryAudioSource::ChannelCount() const
{
    return static_cast<int32>(mChannels.size());
}

int64 MemoryAudioSource::Length() const
{
    return mChannels.empty() ? 0 : static_cast<int64>(mChannels.front().size());
}

bool MemoryAudioSource::Read(int64 start, int32 count, float* const* channels)
{
    if (count < 0 || !channels) return false;
    for (size_t c = 0; c < mChannels.size(); ++c)
    {
        const std::vector<float>& samples = mChannels[c];
        const int64 length = static_cast<int64>(samples.size());
        for (int32 i = 0; i < count; ++i)
        {
            const int64 at = start + i;
            channels[c][i] = at >= 0 && at < length ? samples[static_cast<size_t>(at)] : 0.0f;
        }
    }
    return true;
}

} // namespace orv::host
