#include "SoundFileChannelSource.h"

#include <algorithm>

namespace orv::apps
{

bool SoundFileChannelSource::Open(const std::string& path, int32 channel, std::string* outError)
{
    SF_INFO info = {};
    mFile = sf_open(path.c_str(), SFM_READ, &info);
    if (!mFile)
    {
        if (outError) *outError = "cannot read " + path + ": " + sf_strerror(nullptr);
        return false;
    }
    if (channel < 0 || channel >= info.channels)
    {
        if (outError) *outError = path + " has no channel " + std::to_string(channel + 1);
        return false;
    }
    mChannel = channel;
    mFileChannels = info.channels;
    mFrames = info.frames;
    mPosition = 0;
    return true;
}

SoundFileChannelSource::~SoundFileChannelSource()
{
    if (mFile) sf_close(mFile);
}

bool SoundFileChannelSource::Read(int64 start, int32 count, float* const* channels)
{
    if (!mFile || count < 0 || !channels || !channels[0]) return false;
    float* out = channels[0];
    std::fill(out, out + count, 0.0f);
    // Only the part inside the file is read; the rest stays silent.
    const int64 first = std::max<int64>(start, 0);
    const int64 last = std::min<int64>(start + count, mFrames);
    if (first >= last) return true;
    if (mPosition != first)
    {
        if (sf_seek(mFile, first, SEEK_SET) < 0) return false;
        mPosition = first;
    }
    const int64 frames = last - first;
    mInterleaved.resize(static_cast<size_t>(frames * mFileChannels));
    const sf_count_t got = sf_readf_float(mFile, mInterleaved.data(), frames);
    if (got != frames)
    {
        mPosition = -1;
        return false;
    }
    mPosition = last;
    float* target = out + (first - start);
    for (int64 frame = 0; frame < frames; ++frame)
        target[frame] = mInterleaved[static_cast<size_t>(frame * mFileChannels + mChannel)];
    return true;
}

} // namespace orv::apps
