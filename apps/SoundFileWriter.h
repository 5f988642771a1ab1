#pragma once

#include <sndfile.h>

#include <string>
#include <vector>

#include "AAX.h"

namespace orv::apps
{

// Writes a sound file in a given libsndfile format, replacing the target only when the
// file is complete: it is written beside the target under a temporary name and renamed over
// it by Commit. Integer formats are written so that samples read from the same format come
// back bit for bit.
class SoundFileWriter
{
public:
    // False with a message when the temporary file cannot be made or the format written.
    bool Open(const std::string& path, const SF_INFO& format, std::string* outError);
    // Removes the temporary file unless committed.
    ~SoundFileWriter();

    // frames interleaved frames of the format's channel count.
    bool Write(const float* interleaved, int64 frames);
    // The same as full-scale 32-bit integers (as libsndfile reads them), for integer formats
    // only: samples copied from a file of the same format are written bit for bit.
    bool WriteIntegers(const int* interleaved, int64 frames);
    bool WritesIntegers() const { return mIntegerFormat; }
    // The full-scale 32-bit integer Write makes of a sample: rounded, clipped, NaN as 0.
    static int ToInteger(float sample);
    // Closes and renames over the target; false with a message on failure.
    bool Commit(std::string* outError);

private:
    SNDFILE* mFile = nullptr;
    std::string mPath;
    std::string mTemporaryPath;
    int32 mChannels = 0;
    bool mIntegerFormat = false;
    std::vector<int> mIntegers;
};

} // namespace orv::apps
