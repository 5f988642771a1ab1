#pragma once

#include <cstdio>
#include <string>

#include "AudioSource.h"

namespace orv::apps
{

// Keeps the first channel of a render in a temporary file of raw floats, so a long render
// never sits in memory; read back with ReadBack once the render is done. The file is
// removed with the object.
class RawChannelSink : public host::AudioSink
{
public:
    // folder: where the temporary file goes. False with a message when it cannot be made.
    bool Open(const std::string& folder, std::string* outError);
    RawChannelSink() = default;
    ~RawChannelSink() override;
    RawChannelSink(const RawChannelSink&) = delete;
    RawChannelSink& operator=(const RawChannelSink&) = delete;

    bool Write(const float* const* channels, int32 channelCount, int32 count) override;
    // Rewinds for reading; then Read fills count samples, false at a short read.
    bool Rewind();
    bool Read(float* samples, int64 count);
    int64 Written() const { return mWritten; }

private:
    std::FILE* mFile = nullptr;
    std::string mPath;
    int64 mWritten = 0;
};

} // namespace orv::apps
