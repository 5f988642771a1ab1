#include "InterfaceFileReader.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <fstream>

#include "InterfaceFileFormat.h"
#include "OfflineStatus.h"

namespace
{

// Chunks passed over before the format chunk (more fail) and before the data chunk (the
// chunk then at hand is taken as the data chunk).
constexpr int kMaxChunksBeforeFormat = 9;
constexpr int kMaxChunksBeforeData = 8;

bool TagIs(const char (&tag)[4], const char* upper, const char* lower)
{
    return std::memcmp(tag, upper, 4) == 0 || std::memcmp(tag, lower, 4) == 0;
}

// The first sample that is NaN or infinite, or end. Blocks are first tested whole with a
// loop the compiler can vectorise, as nearly every file has no such sample at all.
const float* FirstNonFinite(const float* begin, const float* end)
{
    constexpr std::ptrdiff_t kBlock = 256;
    constexpr uint32 kExponent = 0x7F800000u;
    for (const float* block = begin; block < end; block += kBlock)
    {
        const float* const blockEnd = block + std::min(kBlock, end - block);
        uint32 anyBad = 0;
        for (const float* sample = block; sample < blockEnd; ++sample)
        {
            uint32 bits;
            std::memcpy(&bits, sample, sizeof bits);
            anyBad |= static_cast<uint32>((bits & kExponent) == kExponent);
        }
        if (anyBad) return std::find_if(block, blockEnd, [](float s) { return !std::isfinite(s); });
    }
    return end;
}

} // namespace

int32 InterfaceFileReader::Open(const std::string& path, int32 channelCount, float sampleRate,
                                int32 samplesExpected)
{
    Close();
    // Slices are a few kilobytes each; a large buffer reads them in few calls.
    mBuffer.resize(InterfaceFileFormat::kStreamBufferBytes);
    auto file = std::make_unique<std::ifstream>();
    file->rdbuf()->pubsetbuf(mBuffer.data(), static_cast<std::streamsize>(mBuffer.size()));
    file->open(path, std::ios::binary | std::ios::in);
    if (!file->is_open())
    {
        Close();
        return kStatusReadFirstTag;
    }
    return Open(std::move(file), channelCount, sampleRate, samplesExpected);
}

int32 InterfaceFileReader::Open(std::unique_ptr<std::istream> stream, int32 channelCount,
                                float sampleRate, int32 samplesExpected)
{
    mStream = std::move(stream);
    mSamplesRead = 0;
    if (!mStream) return kStatusReadFirstTag;
    return Check(channelCount, sampleRate, samplesExpected);
}

int32 InterfaceFileReader::Check(int32 channelCount, float sampleRate, int32 samplesExpected)
{
    char tag[4];
    uint32 size = 0;
    uint16 value16 = 0;

    if (!ReadTag(tag)) return kStatusReadFirstTag;
    if (!TagIs(tag, "RIFF", "riff")) return kStatusFormat;
    if (!ReadU32(size)) return kStatusReadRiffSize;
    if (!ReadTag(tag)) return kStatusReadFormTag;
    if (!TagIs(tag, "WAVE", "wave")) return kStatusFormat;
    if (!ReadTag(tag)) return kStatusReadChunkTag;
    for (int passed = 0; !TagIs(tag, "fmt ", "FMT "); ++passed)
    {
        if (passed == kMaxChunksBeforeFormat) return kStatusTooManyChunks;
        if (!ReadU32(size)) return kStatusReadSkipSize;
        if (!Skip(size) || !ReadTag(tag)) return kStatusReadSkipTag;
    }

    uint32 formatSize = 0;
    if (!ReadU32(formatSize)) return kStatusReadFormatSize;
    const std::streamoff formatStart = mStream->tellg();
    if (!ReadU16(value16)) return kStatusReadFormatCode;
    if (!ReadU16(value16)) return kStatusReadChannels;
    if (value16 != channelCount) return kStatusFormat;
    uint32 rate = 0;
    if (!ReadU32(rate)) return kStatusReadSampleRate;
    if (static_cast<float>(rate) != sampleRate) return kStatusFormat;
    char byteRates[6];
    if (!Read(byteRates, sizeof byteRates)) return kStatusReadByteRates;
    uint16 bits = 0;
    if (!ReadU16(bits)) return kStatusReadBits;
    if (bits != InterfaceFileFormat::kBitsPerSample) return kStatusFormat;

    mStream->seekg(formatStart + static_cast<std::streamoff>(formatSize));
    if (!ReadTag(tag)) return kStatusReadTagAfterFormat;
    for (int passed = 0; !TagIs(tag, "data", "DATA") && passed < kMaxChunksBeforeData; ++passed)
    {
        if (!ReadU32(size)) return kStatusReadDataSkipSize;
        if (!Skip(size) || !ReadTag(tag)) return kStatusReadDataSkipTag;
    }

    uint32 dataSize = 0;
    if (!ReadU32(dataSize)) return kStatusReadDataSize;
    const uint32 samples = dataSize / static_cast<uint32>(channelCount) / (bits / 8);
    if (samplesExpected < 0 || samples != static_cast<uint32>(samplesExpected))
        return kStatusSampleCount;
    return kStatusNone;
}

int32 InterfaceFileReader::ReadSlice(float* destination, int32 count)
{
    mSamplesRead = 0;
    if (!mStream) return kStatusSliceRead;
    if (count <= 0) return *mStream ? kStatusNone : kStatusSliceRead;
    mStream->read(reinterpret_cast<char*>(destination),
                  static_cast<std::streamsize>(count) * InterfaceFileFormat::kBytesPerSample);
    const int32 arrived =
        static_cast<int32>(mStream->gcount() / InterfaceFileFormat::kBytesPerSample);
    // A sample that is no finite number is no audio a host can take: the slice ends before
    // it, as if the file ended there.
    mSamplesRead =
        static_cast<int32>(FirstNonFinite(destination, destination + arrived) - destination);
    return mSamplesRead == count ? kStatusNone : kStatusSliceRead;
}

void InterfaceFileReader::Close()
{
    mStream.reset();
    mSamplesRead = 0;
}

bool InterfaceFileReader::Read(char* bytes, std::streamsize count)
{
    mStream->read(bytes, count);
    return mStream->gcount() == count && !mStream->fail();
}

bool InterfaceFileReader::ReadTag(char (&tag)[4])
{
    return Read(tag, sizeof tag);
}

bool InterfaceFileReader::ReadU16(uint16& value)
{
    unsigned char bytes[2];
    if (!Read(reinterpret_cast<char*>(bytes), sizeof bytes)) return false;
    value = static_cast<uint16>(bytes[0] | (bytes[1] << 8));
    return true;
}

bool InterfaceFileReader::ReadU32(uint32& value)
{
    unsigned char bytes[4];
    if (!Read(reinterpret_cast<char*>(bytes), sizeof bytes)) return false;
    value = static_cast<uint32>(bytes[0]) | (static_cast<uint32>(bytes[1]) << 8) |
            (static_cast<uint32>(bytes[2]) << 16) | (static_cast<uint32>(bytes[3]) << 24);
    return true;
}

bool InterfaceFileReader::Skip(uint32 count)
{
    mStream->seekg(static_cast<std::streamoff>(count), std::ios::cur);
    return !mStream->fail();
}
