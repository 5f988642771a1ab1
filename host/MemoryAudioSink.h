#pragma once

#include <vector>

#include "AudioSource.h"

namespace orv::host
{

// Collects the rendered audio in memory, one vector per channel.
class MemoryAudioSink : public AudioSink
{
public:
    bool Write(const float* const* channels, int32 channelCount, int32 count) override;
    const std::vector<std::vector<float>>& Channels() const { return mChannels; }

private:
    std::vector<std::vector<float>> mChannels;
};

} // namespace orv::host
