#pragma once

#include "AAX.h"

namespace orv::host
{

// The selection the host processes, read in pieces so that nothing holds it whole.
class AudioSource
{
public:
    virtual ~AudioSource() = default;
    virtual int32 ChannelCount() const = 0;
    // Samples per channel.
    virtual int64 Length() const = 0;
    // Fills channels[0..ChannelCount()) with count samples each from start on. Samples
    // outside 0..Length() read as 0. False when the source cannot be read.
    virtual bool Read(int64 start, int32 count, float* const* channels) = 0;
};

// Where the rendered audio goes, window after window.
class AudioSink
{
public:
    virtual ~AudioSink() = default;
    // Takes count samples of each of channelCount channels. False stops the render.
    virtual bool Write(const float* const* channels, int32 channelCount, int32 count) = 0;
};

} // namespace orv::host
