#pragma once

#include <vector>

#include "AudioSource.h"

namespace orv::host
{

// A selection held in memory, one vector per channel (all of one length).
class MemoryAudioSource : public AudioSource
{
public:
    explicit MemoryAudioSource(std::vector<std::vector<float>> channels);

    int32 ChannelCount() const override;
    int64 Length() const override;
    bool Read(int64 start, int32 count, float* const* channels) override;

private:
    std::vector<std::vector<float>> mChannels;
};

} // namespace orv::host
