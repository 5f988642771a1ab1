#pragma once

#include <istream>
#include <memory>
#include <string>
#include <vector>

#include "AAX.h"

// Reads the processed interface file back: checks its header step by step against the
// recorded format and sample count, then hands out the samples slice by slice. Every read
// knows how many bytes it wants and stops at the end of the stream. Results are
// OfflineStatus codes (0 on success).
class InterfaceFileReader
{
public:
    // Opens path and checks it; on success the stream stands at the first sample.
    // kStatusReadFirstTag when the file cannot be opened.
    int32 Open(const std::string& path, int32 channelCount, float sampleRate,
               int32 samplesExpected);
    // The same check over any stream, which the reader then owns.
    int32 Open(std::unique_ptr<std::istream> stream, int32 channelCount, float sampleRate,
               int32 samplesExpected);
    // Reads count samples into destination. kStatusSliceRead when the stream ends or fails
    // first, or a sample is not finite; the whole finite samples read before that are in
    // destination, and what follows them there is not to be used. SamplesRead tells how
    // many arrived.
    int32 ReadSlice(float* destination, int32 count);
    int32 SamplesRead() const { return mSamplesRead; }
    void Close();
    bool IsOpen() const { return mStream != nullptr; }

private:
    int32 Check(int32 channelCount, float sampleRate, int32 samplesExpected);
    bool Read(char* bytes, std::streamsize count);
    bool ReadTag(char (&tag)[4]);
    bool ReadU16(uint16& value);
    bool ReadU32(uint32& value);
    bool Skip(uint32 count);

    // The file stream's buffer; declared first, so it outlives the stream.
    std::vector<char> mBuffer;
    std::unique_ptr<std::istream> mStream;
    int32 mSamplesRead = 0;
};
