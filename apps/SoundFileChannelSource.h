#pragma once

#include <sndfile.h>

#include <string>
#include <vector>

#include "AudioSource.h"

namespace orv::apps
{

// One channel of a sound file, as a mono selection read window by window: nothing holds the
// file whole. Any format libsndfile reads.
class SoundFileChannelSource : public host::AudioSource
{
public:
    // False with a message when the file cannot be read or has no such channel.
    bool Open(const std::string& path, int32 channel, std::string* outError);
    ~SoundFileChannelSource() override;

    int32 ChannelCount() const override { return 1; }
    int64 Length() const override { return mFrames; }
    bool Read(int64 start, int32 count, float* const* channels) override;

private:
    SNDFILE* mFile = nullptr;
    int32 mChannel = 0;
    int32 mFileChannels = 0;
    int64 mFrames = 0;
    int64 mPosition = -1;
    std::vector<float> mInterleaved;
};

} // namespace orv::apps
