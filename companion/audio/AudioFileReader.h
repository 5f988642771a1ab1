#pragma once

#include "SampleSource.h"

#include <string>

#include <sndfile.h>

namespace companion
{

// Reads a WAV file through libsndfile from a descriptor the caller owns and keeps open.
// open() accepts only WAV containers (any sample format libsndfile reads) with one channel.
// Samples that are not finite numbers are read as silence.
class AudioFileReader : public SampleSource
{
public:
    AudioFileReader() = default;
    ~AudioFileReader() override;
    AudioFileReader(const AudioFileReader&) = delete;
    AudioFileReader& operator=(const AudioFileReader&) = delete;

    bool open(int fd, std::string& error);
    int sampleRate() const { return info_.samplerate; }

    long read(float* out, size_t count) override;
    bool rewind() override;
    size_t length() const override { return static_cast<size_t>(info_.frames); }

private:
    SNDFILE* file_ = nullptr;
    SF_INFO info_{};
};

} // namespace companion
